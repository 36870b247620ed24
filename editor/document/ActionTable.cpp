#include "editor/document/ActionTable.h"

#include <algorithm>

namespace {

using target::kActionSignatures;

constexpr std::array<std::pair<int32_t, int32_t>, target::kActionRowCount> kCommandAndImage{{
    {-1, -1},    {32878, 0},  {32879, 1},  {32880, 2},  {32876, 28}, {32877, 29}, {32875, 21},
    {32870, 35}, {32884, 7},  {32885, 8},  {32871, 15}, {32872, 16}, {32873, 17}, {32874, 18},
    {32881, 3},  {-1, 3},     {32882, 5},  {32883, 9},  {-1, 5},     {-1, 9},     {-1, 5},
    {-1, 9},     {-1, 5},     {-1, 9},     {32886, 11}, {32887, 13}, {-1, 11},    {-1, 13},
    {-1, 11},    {-1, 13},    {-1, 11},    {-1, 13},    {32892, 25}, {-1, 25},    {32889, 24},
    {-1, 24},    {32890, 27}, {32891, 26}, {-1, -1},    {-1, -1},    {32888, 20}, {32893, 30},
    {-1, 30},    {32894, 31}, {-1, 31},    {32895, 32}, {-1, 32},    {32896, 34}, {32897, 33},
}};

constexpr std::array<std::u16string_view, target::kActionRowCount> kDisplayNames{
    u"",
    u"Go to next page",
    u"Go to previous page",
    u"Go to page X",
    u"Go to last visited page",
    u"Go to initial page",
    u"Exit and load project",
    u"Sleep",
    u"Turn LED X on",
    u"Turn LED X off",
    u"Show layer",
    u"Hide layer",
    u"Set layer horizontal position",
    u"Set layer vertical position",
    u"Set tag",
    u"",
    u"Increment tag",
    u"Decrement tag",
    u"", u"", u"", u"", u"", u"",
    u"Multiply tag",
    u"Divide tag",
    u"", u"", u"", u"", u"", u"",
    u"Bit-wise tag",
    u"",
    u"Compare tag",
    u"",
    u"Else",
    u"End",
    u"New action",
    u"<empty>",
    u"Set focus to object",
    u"Else compare tag",
    u"",
    u"Set string tag",
    u"",
    u"Concatenate tag",
    u"",
    u"Send key",
    u"Change page focus",
};

static_assert(kDisplayNames[target::kActionRowCount - 1] == u"Change page focus");

constexpr auto makeActionTable()
{
    std::array<ActionRow, target::kActionRowCount> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = {kCommandAndImage[i].first, kCommandAndImage[i].second, kActionSignatures[i], kDisplayNames[i]};
    return rows;
}

constexpr std::array<ActionRow, target::kActionRowCount> kActionTable = makeActionTable();

// Trigger names by number 1..15.
constexpr std::array<std::u16string_view, target::kLastNamedTrigger + 1> kTriggerNames{
    u"",
    u"On touch down",
    u"On touch up",
    u"On touch hold",
    u"On press",
    u"On release",
    u"On high alarm on",
    u"On high alarm off",
    u"On low alarm on",
    u"On low alarm off",
    u"On entering page",
    u"On leaving page",
    u"On key down",
    u"On key up",
    u"On key hold",
    u"On tag change",
};

constexpr std::array<TriggerRow, 16> kTriggerTable{{
    {u"On press", 3},
    {u"On release", 3},
    {u"On touch down", 2},
    {u"On touch up", 2},
    {u"On touch hold", 2},
    {u"On high alarm on", 1},
    {u"On high alarm off", 1},
    {u"On low alarm on", 1},
    {u"On low alarm off", 1},
    {u"On entering page", 0},
    {u"On leaving page", 0},
    {u"On key up", 4},
    {u"On key hold", 4},
    {u"On key down", 4},
    {u"On tag change", 5},
    {u"", 6},
}};

struct FormerName {
    std::u16string_view name;
    target::ActionNumber action;
};

// Names of projects with formatVersion 0.
constexpr std::array<FormerName, 10> kFormerNames{{
    {u"Set tag X to value Y", target::ActionNumber::SetTag},
    {u"Copy tag X to tag Y", target::ActionNumber::SetTag},
    {u"Increment tag X by Y", target::ActionNumber::IncrementTag},
    {u"Increment tag X by tag Y", target::ActionNumber::IncrementTag},
    {u"Decrement tag X by Y", target::ActionNumber::DecrementTag},
    {u"Decrement tag X by tag Y", target::ActionNumber::DecrementTag},
    {u"Multiply tag X by Y", target::ActionNumber::MultiplyTag},
    {u"Multiply tag X by tag Y", target::ActionNumber::MultiplyTag},
    {u"Divide tag X by Y", target::ActionNumber::DivideTag},
    {u"Divide tag X by tag Y", target::ActionNumber::DivideTag},
}};

constexpr std::array<FormerName, 2> kStructureNames{{
    {u"Else compare", target::ActionNumber::Else},
    {u"End compare", target::ActionNumber::End},
}};

struct KeyName {
    std::u16string_view name;
    target::KeyCode code;
};

constexpr std::array<KeyName, 8> kKeyNames{{
    {u"Enter", target::KeyCode::Enter},
    {u"Escape", target::KeyCode::Escape},
    {u"Left", target::KeyCode::Left},
    {u"Up", target::KeyCode::Up},
    {u"Right", target::KeyCode::Right},
    {u"Down", target::KeyCode::Down},
    {u"Delete", target::KeyCode::Delete},
    {u"Backspace", target::KeyCode::Backspace},
}};

constexpr std::array<std::u16string_view, 6> kBitwiseTokens{u"&", u"|", u"^", u"~", u"<<", u">>"};
constexpr std::array<std::u16string_view, 6> kCompareTokens{u"==", u"!=", u">=", u"<=", u">", u"<"};
constexpr std::array<std::u16string_view, 6> kSpacedCompareTokens{u" == ", u" != ", u" >= ", u" <= ", u" > ", u" < "};

char16_t foldCase(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

template <std::size_t N>
uint32_t findName(const std::array<FormerName, N>& names, std::u16string_view name)
{
    for (const FormerName& entry : names)
        if (equalsNoCase(entry.name, name))
            return uint32_t(entry.action);
    return 0;
}

std::u16string tokenText(const std::array<std::u16string_view, 6>& tokens, uint32_t code)
{
    return code < tokens.size() ? std::u16string(tokens[code]) : std::u16string();
}

} // namespace

const std::array<ActionRow, target::kActionRowCount>& ActionTable()
{
    return kActionTable;
}

const std::array<TriggerRow, 16>& TriggerTable()
{
    return kTriggerTable;
}

uint32_t FindActionByName(std::u16string_view name, int formatVersion)
{
    if (!name.empty())
        for (uint32_t row = 0; row < kActionTable.size(); ++row)
            if (!kActionTable[row].displayName.empty() && equalsNoCase(kActionTable[row].displayName, name))
                return row;
    if (formatVersion == 0)
        if (const uint32_t row = findName(kFormerNames, name); row != 0)
            return row;
    return findName(kStructureNames, name);
}

uint32_t TriggerFromName(std::u16string_view name)
{
    if (name.empty())
        return 0;
    for (uint32_t trigger = 1; trigger <= target::kLastNamedTrigger; ++trigger)
        if (equalsNoCase(kTriggerNames[trigger], name))
            return trigger;
    return 0;
}

std::u16string TriggerToName(uint32_t trigger)
{
    if (trigger < 1 || trigger > target::kLastNamedTrigger)
        return {};
    return std::u16string(kTriggerNames[trigger]);
}

std::u16string AppendDetail(std::u16string_view name, std::u16string_view detail)
{
    std::u16string text(name);
    if (!detail.empty()) {
        text += u" ( ";
        text += detail;
        text += u" )";
    }
    return text;
}

NameAndDetail SplitDetail(std::u16string_view text)
{
    const std::size_t open = text.find(u" ( ");
    if (open == std::u16string_view::npos)
        return {std::u16string(text), {}};
    std::u16string_view detail = text.substr(open + 3);
    if (detail.ends_with(u" )"))
        detail.remove_suffix(2);
    return {std::u16string(text.substr(0, open)), std::u16string(detail)};
}

uint32_t KeyWordFromText(std::u16string_view detail)
{
    if (detail.empty())
        return 0;
    for (const KeyName& key : kKeyNames)
        if (key.name == detail)
            return uint32_t(key.code);
    const uint32_t first = detail[0];
    if (detail.size() > 1 && detail[1] >= 0xDC00 && detail[1] <= 0xDFFF)
        return uint32_t(detail[1]) << 16 | first;
    return first;
}

uint32_t FindBitwiseOperator(std::u16string_view text)
{
    for (uint32_t code = 0; code < kBitwiseTokens.size(); ++code)
        if (text.find(kBitwiseTokens[code]) != std::u16string_view::npos)
            return code;
    return 0;
}

std::u16string BitwiseOperatorText(uint32_t code)
{
    return tokenText(kBitwiseTokens, code);
}

uint32_t FindCompareOperator(std::u16string_view text)
{
    for (const auto* tokens : {&kSpacedCompareTokens, &kCompareTokens})
        for (uint32_t code = 0; code < tokens->size(); ++code)
            if (text.find((*tokens)[code]) != std::u16string_view::npos)
                return code;
    return 0;
}

std::u16string CompareOperatorText(uint32_t code)
{
    return tokenText(kCompareTokens, code);
}
