#include "editor/objects/shared/CObjectProperty.h"

#include <algorithm>

#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/document/HexText.h"
#include "editor/document/PropertyKind.h"

std::optional<int64_t> CObjectProperty::Int(const CSelectable& owner, std::u16string_view category,
                                            std::u16string_view caption)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    if (!property || property->IsEmpty())
        return std::nullopt;
    return int64_t(property->GetInt());
}

int64_t CObjectProperty::Int(const CSelectable& owner, std::u16string_view category, std::u16string_view caption,
                             int64_t emptyValue)
{
    return Int(owner, category, caption).value_or(emptyValue);
}

int64_t CObjectProperty::Count(const CSelectable& owner, std::u16string_view category, std::u16string_view caption,
                               int64_t emptyValue, int64_t minimum)
{
    return std::clamp(Int(owner, category, caption, emptyValue), minimum, std::max(minimum, kMaxCount));
}

char16_t CObjectProperty::ChoiceLetter(const CSelectable& owner, std::u16string_view category,
                                       std::u16string_view caption, std::size_t position)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? ChoiceLetter(property->GetListValue(), position) : char16_t(0);
}

char16_t CObjectProperty::ChoiceLetter(std::u16string_view choice, std::size_t position)
{
    if (position >= choice.size())
        return 0;
    const char16_t letter = choice[position];
    return letter >= u'A' && letter <= u'Z' ? char16_t(letter + (u'a' - u'A')) : letter;
}

std::optional<uint32_t> CObjectProperty::HexColor(std::u16string_view text)
{
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    for (const char16_t unit : text) {
        const int digit = HexDigitValue(unit);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | uint32_t(digit);
    }
    return value & 0xFFFFFFu;
}

std::vector<std::u16string> CObjectProperty::Tokens(std::u16string_view text, ListTokens mode, std::size_t maximum)
{
    std::vector<std::u16string> tokens;
    std::size_t start = 0;
    while (start <= text.size() && tokens.size() < maximum) {
        const std::size_t end = text.find(kListSeparator, start);
        if (end == std::u16string_view::npos) {
            // Only a split list keeps the piece no separator ends.
            if (mode == ListTokens::Split && start < text.size())
                tokens.emplace_back(text.substr(start));
            break;
        }
        if (mode == ListTokens::EndedBy || end > start)
            tokens.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return tokens;
}
