#include "engine/tagmonitor/CTagsFile.h"

#include <string>

#include "engine/tagmonitor/CTagNumber.h"
#include "engine/tags/DCharsetTable.h"
#include "foundation/xml/DXMLParser.h"

namespace {

// The numbers' fixed sizes; the file's "size" is then ignored.
constexpr std::u16string_view kShortSize = u"2";
constexpr std::u16string_view kIntegerSize = u"4";

} // namespace

int CTagsFile::findTagTypeIndex(std::u16string_view type)
{
    // The table's names are ASCII; any other unit matches nothing.
    std::string narrow;
    narrow.reserve(type.size());
    for (char16_t unit : type) {
        if (unit == 0 || unit > 0x7F)
            return CTagRow::kUnknownType;
        narrow.push_back(char(unit));
    }
    return DCharsetTable::find(narrow);
}

std::vector<CTagRow> CTagsFile::read(std::span<const uint8_t> bytes, uint32_t memorySize)
{
    std::vector<CTagRow> rows;
    DXMLParser parser(bytes, DXMLParser::Whitespace::SkipBeforeEveryToken);
    (void)parser.parse();
    const DXMLElement* tags = parser.root().getChild(u"tags");
    if (!tags)
        return rows;
    for (const auto& element : tags->children()) {
        std::u16string addressText = element->getAttribute(u"address");
        if (addressText.empty())
            addressText = element->getAttribute(u"auto");
        if (addressText.empty())
            continue;
        CTagRow row;
        row.name = element->getText();
        row.typeText = element->name();
        row.typeIndex = findTagTypeIndex(row.typeText);
        if (row.typeIndex == int(DCharsetTable::kShort))
            row.sizeText = kShortSize;
        else if (row.typeIndex == int(DCharsetTable::kInteger))
            row.sizeText = kIntegerSize;
        else
            row.sizeText = element->getAttribute(u"size");
        row.address = CTagNumber::read(addressText, CTagNumber::Base::Hexadecimal);
        row.size = CTagNumber::read(row.sizeText, CTagNumber::Base::Decimal);
        if (uint64_t(row.address) + row.size > memorySize)
            continue;
        rows.push_back(std::move(row));
    }
    return rows;
}
