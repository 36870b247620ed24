#pragma once
// The sample panel: an 800 x 480 target file whose start page holds one widget of every
// kind the engine builds, in a grid of captioned cells, and a second page. Tests drive it
// through the tags, areas and widget numbers below; vx-sample-target writes it for people.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/DGeometry.h"
#include "foundation/target/TargetTag.h"

namespace vx::test {

// A right and bottom exclusive area of a page.
struct SampleArea {
    int32_t left, top, right, bottom;
    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr DPoint centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr DPoint at(int32_t x, int32_t y) const { return {left + x, top + y}; }
};

namespace sample {

constexpr target::TagReference numberTag(uint32_t address)
{
    return target::TagReference::make(target::Controller::Memory, address, target::kValueType32, 4);
}
// UTF-16LE strings: the tag type table's slot 11.
inline constexpr uint32_t kUtf16Slot = 11;
constexpr target::TagReference stringTag(uint32_t address, uint32_t bytes)
{
    return target::TagReference::make(target::Controller::Memory, address, kUtf16Slot, bytes);
}

// The grid: 5 x 5 cells under the title, each a caption strip over its content.
inline constexpr int32_t kColumns = 5, kRows = 5;
inline constexpr int32_t kCellLeft = 5, kCellTop = 42, kCellWidth = 156, kCellHeight = 84, kColumnPitch = 159,
                         kRowPitch = 87, kCaptionHeight = 20, kInset = 6;

constexpr SampleArea cell(int32_t column, int32_t row)
{
    const int32_t left = kCellLeft + column * kColumnPitch, top = kCellTop + row * kRowPitch;
    return {left, top, left + kCellWidth, top + kCellHeight};
}
constexpr SampleArea content(int32_t column, int32_t row)
{
    const SampleArea c = cell(column, row);
    return {c.left + kInset, c.top + kCaptionHeight + 2, c.right - kInset, c.bottom - 4};
}
// A width x height area in the middle of a cell's content.
constexpr SampleArea centred(int32_t column, int32_t row, int32_t width, int32_t height)
{
    const SampleArea c = content(column, row);
    const int32_t left = c.left + (c.width() - width) / 2, top = c.top + (c.height() - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace sample

// Every tag of the sample lies in the memory controller's image, at an address of its own.
struct SampleTags {
    static constexpr uint32_t kUtf16Slot = sample::kUtf16Slot;
    static constexpr auto number = sample::numberTag;
    static constexpr auto string = sample::stringTag;

    static constexpr target::TagReference releaseCount = number(0); // counted by the "Next page" button
    static constexpr target::TagReference buttonState = number(4);
    static constexpr target::TagReference latchState = number(8);
    static constexpr target::TagReference indicatorButtonState = number(12);
    static constexpr target::TagReference indicator = number(16);
    static constexpr target::TagReference light = number(20);
    static constexpr target::TagReference dynamicImage = number(24);
    static constexpr target::TagReference message = number(28);
    static constexpr target::TagReference triggerWatched = number(32);
    static constexpr target::TagReference triggerCount = number(36); // counted by the tag trigger
    static constexpr target::TagReference numeric = number(40);
    static constexpr target::TagReference numericEntry = number(44);
    static constexpr target::TagReference dateTime = number(48);
    static constexpr target::TagReference imageBar = number(52);
    static constexpr target::TagReference colourBar = number(56);
    static constexpr target::TagReference meter = number(60);
    static constexpr target::TagReference slider = number(64);
    static constexpr target::TagReference knob = number(68);
    static constexpr target::TagReference listSelection = number(72);
    static constexpr target::TagReference dynamicListSelection = number(76);
    static constexpr target::TagReference trend = number(80);
    static constexpr target::TagReference timer = number(84);
    static constexpr target::TagReference backState = number(88);
    static constexpr target::TagReference text = string(128, 64);
    static constexpr target::TagReference textEntry = string(192, 64);
    static constexpr target::TagReference dynamicListItems = string(256, 128);
};

// What "On entering page" of the start page writes, so the page shows values at once.
struct SampleStart {
    static constexpr int32_t light = 1, dynamicImage = 1, message = 1, numeric = 1234, numericEntry = 250,
                             imageBar = 65, colourBar = 40, meter = 30, slider = 25, knob = 60, trend = 50;
    static constexpr char16_t text[] = u"Hello";
    static constexpr char16_t textEntry[] = u"Edit me";
    // Parts separated by kSeparator.
    static constexpr char16_t dynamicListItems[] = u"Alpha/Beta/Gamma/Delta";
    static constexpr char16_t kSeparator = u'/';
};

// Record numbers (target indexes) of the widgets a test talks to; the focusable ones come
// first and are linked to their neighbours in the grid for the arrow keys.
struct SampleWidgets {
    enum Number : int32_t {
        NextPageButton = 0, // the initial focus
        LatchingButton,
        IndicatorButton,
        NumericEntry,
        TextEntry,
        Slider,
        Knob,
        Listbox,
        DynamicListbox,
        FocusableCount,
    };
};

// Areas on the start page.
struct SampleAreas {
    using Area = SampleArea;
    static constexpr int32_t kWidth = 800, kHeight = 480;
    static constexpr int32_t kColumns = sample::kColumns, kRows = sample::kRows, kCaptionHeight = sample::kCaptionHeight,
                             kInset = sample::kInset, kCellWidth = sample::kCellWidth;
    static constexpr auto cell = sample::cell;
    static constexpr auto content = sample::content;
    static constexpr auto centred = sample::centred;

    static constexpr Area staticImage = content(0, 0);
    static constexpr Area staticText = content(1, 0);
    static constexpr Area rectangle = centred(2, 0, 96, 40);
    static constexpr Area dynamicImage = centred(3, 0, 48, 48);
    static constexpr Area message = centred(4, 0, 136, 32);

    static constexpr Area nextPageButton = centred(0, 1, 128, 40);
    static constexpr Area latchingButton = centred(1, 1, 128, 40);
    static constexpr Area indicatorButton = centred(2, 1, 128, 40);
    static constexpr Area indicatorLamp = {indicatorButton.right - 24, indicatorButton.top + 13,
                                           indicatorButton.right - 10, indicatorButton.top + 27};
    static constexpr Area light = centred(3, 1, 44, 44);
    static constexpr Area triggerCount = centred(4, 1, 96, 32);

    static constexpr Area numeric = centred(0, 2, 120, 32);
    static constexpr Area numericEntry = centred(1, 2, 120, 32);
    static constexpr Area text = centred(2, 2, 136, 32);
    static constexpr Area textEntry = centred(3, 2, 136, 32);
    static constexpr Area dateTime = centred(4, 2, 120, 32);

    static constexpr Area imageBar = centred(0, 3, 136, 22);
    static constexpr Area colourBar = centred(1, 3, 40, 54);
    static constexpr Area meter = centred(2, 3, 56, 56);
    static constexpr Area sliderTrack = centred(3, 3, 136, 12);
    static constexpr Area sliderThumb = {sliderTrack.left, sliderTrack.top - 8, sliderTrack.left + 12,
                                         sliderTrack.bottom + 8}; // at the minimum
    static constexpr int32_t kSliderMargin = 6;
    static constexpr Area knob = centred(4, 3, 56, 56);
    static constexpr int32_t kKnobRadius = 18;

    static constexpr Area listbox = centred(0, 4, 136, 54);
    static constexpr Area dynamicListbox = centred(1, 4, 136, 54);
    static constexpr int32_t kRowHeight = 18;
    static constexpr Area trend = centred(2, 4, 136, 54);
    static constexpr Area ticker = centred(3, 4, 136, 24);
    static constexpr Area timerCount = centred(4, 4, 96, 32);

    // The second page's button back to the start page.
    static constexpr Area backButton = {336, 300, 464, 340};
};

// The sample's colours as they reach the screen (ARGB).
struct SampleColours {
    static constexpr uint32_t background = 0xFF1F2A36, secondBackground = 0xFF24472F, panel = 0xFFE9EEF3,
                              fieldBox = 0xFFFFFFFF, rectangle = 0xFFF39C12, colourBar = 0xFF2E86DE,
                              needle = 0xFFD62828, trendLine = 0xFFD62828;
};

class SampleTarget {
public:
    enum class Font { Embedded, Stub };
    // The file's bytes; empty, with the reason in error, when a test font cannot be read.
    // A stub font chunk keeps the file small (fuzz seeds): the fields then draw no text.
    [[nodiscard]] static std::vector<uint8_t> build(std::string* error = nullptr, Font font = Font::Embedded);
};

} // namespace vx::test
