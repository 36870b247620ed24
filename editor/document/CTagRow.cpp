#include "editor/document/CTagRow.h"

#include <array>

namespace {

constexpr std::array<CTagColumnInfo, kTagColumnCount> kColumns{{
    {u"Name", 100, 0, false},
    {u"Type", 150, 0, false},
    {u"Size [bytes]", 50, 0, false},
    {u"Address (end) [hex]", 100, 0, false},
    {u"Warning", 100, kTagWarningColor, false},
    {u"Org.Name", 100, 0xFF6666, true},
    {u"Fix.Name", 100, 0xFF33FF, true},
}};

} // namespace

bool CTagRow::IsIdenticalTo(const CTagRow& other) const
{
    // The address is compared as its stored text, which carries no blanks to trim.
    return type == other.type && size == other.size && address.Text() == other.address.Text();
}

const CTagColumnInfo& TagColumnInfo(TagColumn column)
{
    return kColumns[std::size_t(column)];
}
