#include "themes/ThemeParts.h"

#include <algorithm>
#include <array>

namespace {

struct PartRow {
    ThemeObjectCode code;
    ThemePart part;
};

constexpr std::u16string_view kPressed = u"-pressed";
constexpr std::u16string_view kFocused = u"-focused";

constexpr std::array kParts{
    PartRow{0x01, {kPressed, ThemeFrame::Thick}}, PartRow{0x02, {u"", ThemeFrame::Thick}},
    PartRow{0x03, {kFocused, ThemeFrame::Thin}},  PartRow{0x04, {kFocused, ThemeFrame::Thick}},
    PartRow{0x11, {u"-thumb", ThemeFrame::Thin}}, PartRow{0x12, {kFocused, ThemeFrame::Thin}},
    PartRow{0x21, {u"-needle", ThemeFrame::Thin}}, PartRow{0x51, {kFocused, ThemeFrame::Thin}},
    PartRow{0x52, {kFocused, ThemeFrame::Thick}},
};

constexpr ThemeObjectCode kThumb = 0x11;

} // namespace

ThemePart themePart(ThemeObjectCode partCode, int32_t shape)
{
    if (partCode == kThumb && shape == 0)
        return {u"-rthumb", ThemeFrame::Thin};
    const auto row = std::find_if(kParts.begin(), kParts.end(), [partCode](const PartRow& r) { return r.code == partCode; });
    return row != kParts.end() ? row->part : ThemePart{u"", ThemeFrame::Thin};
}
