#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CResourceAlignment.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

// Collects some entries and takes some back.
class CountingObject : public CEditorObject {
public:
    CountingObject(int collects, int takes) : CEditorObject(1), m_collects(collects), m_takes(takes) {}
    void CollectImages(DRIFFFile&, CResourceIndex& resources) override
    {
        for (int i = 0; i < m_collects; ++i)
            resources.Append(uint32_t(100 + i));
    }
    int Compile(DRIFFFile&, CObjectCompileContext& context) override
    {
        for (int i = 0; i < m_takes; ++i)
            taken.push_back(context.resources.TakeNext());
        return 0;
    }
    std::vector<uint32_t> taken;

private:
    int m_collects;
    int m_takes;
};

TEST(CResourceAlignment, ObjectsInStepTakeTheirOwnEntries)
{
    vx::test::ObjectCompileHarness harness;
    CountingObject first(2, 2), none(0, 0), second(1, 1);
    CResourceAlignment alignment(harness.resources);
    harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        EXPECT_EQ(alignment.Collect(first, file), 2u);
        EXPECT_EQ(alignment.Collect(none, file), 0u);
        EXPECT_EQ(alignment.Collect(second, file), 1u);
        for (CountingObject* object : {&first, &none, &second})
            EXPECT_EQ(alignment.Compile(*object, file, context), 0);
    });
    EXPECT_EQ(first.taken, (std::vector<uint32_t>{100, 101}));
    EXPECT_EQ(second.taken, (std::vector<uint32_t>{100}));
    EXPECT_EQ(alignment.Mismatches(), 0u);
}

#ifndef NDEBUG
TEST(CResourceAlignmentDeathTest, ACompileTakingMoreThanItsCollectionIsCaught)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            vx::test::ObjectCompileHarness harness;
            CountingObject greedy(1, 2);
            CountingObject next(1, 1);
            CResourceAlignment alignment(harness.resources);
            harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
                alignment.Collect(greedy, file);
                alignment.Collect(next, file);
                (void)alignment.Compile(greedy, file, context);   // takes the next object's entry
            });
        },
        "other resource entries than it collected");
}
#endif

} // namespace
