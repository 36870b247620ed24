#include <gtest/gtest.h>

#include "foundation/DIdTable.h"

namespace {

enum class Kind : unsigned { First = 1, Third = 3, Last = 5 };

// Rows in any order land at their ids; ids without a row hold the empty value.
constexpr auto kTable = DIdTable<Kind, int, 6>::build({{Kind::Last, 50}, {Kind::First, 10}, {Kind::Third, 30}}, -1);

} // namespace

TEST(DIdTable, RowsLandAtTheirIdsAndGapsHoldTheEmptyValue)
{
    static_assert(kTable.size() == 6);
    EXPECT_EQ(kTable, (std::array<int, 6>{-1, 10, -1, 30, -1, 50}));
    // Without an empty value the gaps are value-initialised.
    constexpr auto pointers = DIdTable<unsigned, const char*, 3>::build({{2u, "two"}});
    EXPECT_EQ(pointers[0], nullptr);
    EXPECT_STREQ(pointers[2], "two");
}
