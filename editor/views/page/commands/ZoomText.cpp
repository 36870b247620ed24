#include "editor/views/page/commands/ZoomText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "diagram/editor/DiagramViewport.h"

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

std::optional<double> ZoomText::ParseFactor(std::u16string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t'))
        ++at;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        ++at;
    double percent = 0;
    bool digits = false;
    for (; at < text.size() && isDigit(text[at]); ++at, digits = true)
        percent = std::min(percent * 10 + (text[at] - u'0'), 1e9);
    if (at < text.size() && text[at] == u'.') {
        double scale = 0.1;
        for (++at; at < text.size() && isDigit(text[at]); ++at, scale *= 0.1, digits = true)
            percent += (text[at] - u'0') * scale;
    }
    if (!digits)
        return std::nullopt;
    return std::clamp(percent * 0.01, DiagramViewport::kMinimumZoom, DiagramViewport::kMaximumZoom);
}

std::u16string ZoomText::FormatBox(double factor)
{
    return FormatPercent(int32_t(factor * 100)) + u" %";
}

std::u16string ZoomText::FormatPercent(int32_t percent)
{
    const std::string digits = std::to_string(percent);
    return std::u16string(digits.begin(), digits.end());
}
