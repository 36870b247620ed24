#pragma once
// The zoom as the project keeps it and the zoom box shows it: a percentage text ("100",
// "50%", "75 %"). Its sign is dropped; a text that starts with no number is no zoom.

#include <optional>
#include <string>
#include <string_view>

class ZoomText {
public:
    // The zoom factor (percentage * 0.01) clamped to what the canvas shows; none for a
    // text that starts with no number.
    static std::optional<double> ParseFactor(std::u16string_view text);
    // "%d %%" of the factor in percent, as the zoom box shows it.
    static std::u16string FormatBox(double factor);
    // "%d" of a percentage, as the project keeps it.
    static std::u16string FormatPercent(int32_t percent);
};
