#include "editor/document/CTagType.h"

#include <algorithm>

#include "foundation/target/TargetTagTypes.h"

using target::TagTypes;

namespace {

std::string narrow(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t unit : text) {
        if (unit > 0x7F)
            return {}; // every table name is ASCII
        bytes += char(unit);
    }
    return bytes;
}

} // namespace

int32_t CTagType::Slot(std::u16string_view typeName)
{
    const std::string name = narrow(typeName);
    return name.empty() ? -1 : TagTypes::find(name);
}

std::u16string CTagType::Name(uint32_t slot)
{
    const std::string_view name = TagTypes::name(slot);
    return {name.begin(), name.end()};
}

bool CTagType::IsNumeric(std::u16string_view typeName)
{
    const int32_t slot = Slot(typeName);
    return slot >= 0 && TagTypes::isNumeric(uint32_t(slot));
}

std::vector<std::u16string> CTagType::Offered(std::u16string_view typeName)
{
    const bool numeric = IsNumeric(typeName);
    const uint32_t first = numeric ? 0 : TagTypes::kLastNumeric + 1;
    const uint32_t end = numeric ? TagTypes::kLastNumeric + 1 : TagTypes::kCount;
    std::vector<std::u16string> names;
    for (uint32_t slot = first; slot < end; ++slot)
        if (!TagTypes::name(slot).empty())
            names.push_back(Name(slot));
    return names;
}

int32_t CTagType::ClampStringSize(int32_t size)
{
    return std::clamp(size, kMinStringSize, kMaxStringSize);
}

int32_t CTagType::SizeForType(std::u16string_view typeName, int32_t size)
{
    if (!IsNumeric(typeName))
        return ClampStringSize(size);
    if (typeName.starts_with(u'c'))
        return 1;
    if (typeName.starts_with(u's'))
        return 2;
    return 4;
}

int32_t CTagType::Alignment(std::u16string_view typeName, int32_t size)
{
    return IsNumeric(typeName) ? std::max(size, 1) : 2;
}
