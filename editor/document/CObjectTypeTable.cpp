#include "editor/document/CObjectTypeTable.h"

namespace {

constexpr CObjectTypeRow kRows[] = {
    {u"", 0, 0, u""},
    {u"image", 131, 3, u""},
    {u"text", 123, 19, u""},
    {u"numericField", 133, 4, u""},
    {u"editableNumField", 145, 28, u""},
    {u"textField", 124, 5, u""},
    {u"editableTextField", 146, 29, u""},
    {u"dateTimeField", 138, 6, u""},
    {u"messageField", 134, 7, u""},
    {u"dynamicImage", 132, 8, u""},
    {u"indicatorLight", 135, 9, u""},
    {u"indicatorButton", 130, 2, u""},
    {u"imageBar", 125, 11, u"Value tag"},
    {u"colorBar", 126, 10, u"Value tag"},
    {u"meter", 139, 14, u"Value tag"},
    {u"graph", 140, 22, u"Value tag"},
    {u"ticker", 127, 24, u""},
    {u"button", 128, 1, u""},
    {u"slider", 136, 13, u"Value tag"},
    {u"knob", 137, 12, u"Value tag"},
    {u"listBox", 142, 25, u"Value tag"},
    {u"dynamicListBox", 141, 26, u"Value tag"},
    {u"window", 151, 27, u""},
    {u"tagTrigger", 143, 21, u"Value tag"},
    {u"timer", 144, 23, u""},
    {u"semaphore", 152, 20, u""},
    {u"polygon", 155, 15, u""},
    {u"rectangle", 153, 16, u""},
    {u"ellipse", 154, 17, u""},
    {u"line", 156, 18, u""},
    {u"", 0, 0, u""},
};
static_assert(std::size(kRows) == kPageObjectType + 1);

struct OlderName {
    const char16_t* name;
    int32_t row;
};

constexpr OlderName kOlderNames[] = {{u"trend", 15}, {u"imageBargraph", 12}, {u"colorBargraph", 13}};

constexpr const char16_t* kPageTypeNames[] = {
    u"Invalid", u"Normal", u"Initial", u"Global", u"ScreenSaver", u"Dialog", u"Window",
    u"Normal (Initial)", u"Normal (Global)", u"Normal (ScreenSaver)",
};

char16_t lower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

bool sameIgnoringCase(std::u16string_view first, std::u16string_view second)
{
    if (first.size() != second.size())
        return false;
    for (size_t i = 0; i < first.size(); ++i)
        if (lower(first[i]) != lower(second[i]))
            return false;
    return true;
}

} // namespace

std::span<const CObjectTypeRow> CObjectTypeTable::Rows()
{
    return kRows;
}

int32_t CObjectTypeTable::GetObjectTypeIndex(std::u16string_view typeName, int32_t formatVersion)
{
    for (int32_t row = kFirstObjectType; row <= kLastObjectType; ++row)
        if (sameIgnoringCase(typeName, kRows[row].typeName))
            return row;
    if (formatVersion == 0)
        for (const OlderName& older : kOlderNames)
            if (typeName == older.name)
                return older.row;
    return 0;
}

std::u16string CObjectTypeTable::GetMainTagProperty(int32_t row)
{
    if (row < 0 || row > kPageObjectType)
        return {};
    return kRows[row].mainTag;
}

std::u16string CObjectTypeTable::GetTypeName(int32_t row)
{
    if (row < 0 || row > kPageObjectType)
        return {};
    return kRows[row].typeName;
}

std::span<const char16_t* const> CObjectTypeTable::PageTypeNames()
{
    return kPageTypeNames;
}
