#pragma once
// A cell of the grid: text, a 32-bit item value of the user's choosing, state bits,
// format, colours and font. Format, colours, font and margin may defer to the cell's default cell.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/tagmonitor/grid/CGridFont.h"

struct CGridCell {
    // State bits.
    static constexpr uint32_t kFocused = 0x01;
    static constexpr uint32_t kSelected = 0x02;
    static constexpr uint32_t kDropHighlighted = 0x04;
    static constexpr uint32_t kReadOnly = 0x08;
    static constexpr uint32_t kFixed = 0x10;
    static constexpr uint32_t kFixedRow = 0x20;
    static constexpr uint32_t kFixedColumn = 0x40;
    static constexpr uint32_t kModified = 0x80;

    // Text format bits, with the values of the platform's text drawing call.
    static constexpr uint32_t kAlignCentre = 0x01;
    static constexpr uint32_t kAlignRight = 0x02;
    static constexpr uint32_t kVerticalCentre = 0x04;
    static constexpr uint32_t kBottom = 0x08;
    static constexpr uint32_t kWordBreak = 0x10;
    static constexpr uint32_t kSingleLine = 0x20;
    static constexpr uint32_t kNoPrefix = 0x800;
    static constexpr uint32_t kEndEllipsis = 0x8000;
    static constexpr uint32_t kDefaultFormat = kEndEllipsis | kNoPrefix | kSingleLine | kVerticalCentre;

    // In any colour, format or margin: take the default cell's.
    static constexpr uint32_t kDefaultColour = 0xFF000000;
    static constexpr int kDefaultValue = -1;

    uint32_t state = 0;
    std::u16string text;
    uint32_t itemData = 0;
    int image = -1;
    int format = kDefaultValue;
    uint32_t textColour = kDefaultColour; // 0xBBGGRR
    uint32_t backColour = kDefaultColour;
    int margin = kDefaultValue;
    std::optional<CGridFont> font; // none: the default cell's
    bool editing = false;

    [[nodiscard]] bool isFixed() const { return state & kFixed; }
    [[nodiscard]] bool isFixedRow() const { return state & kFixedRow; }
    [[nodiscard]] bool isFixedColumn() const { return state & kFixedColumn; }
    [[nodiscard]] bool isSelected() const { return state & kSelected; }
    [[nodiscard]] bool isFocused() const { return state & kFocused; }
    [[nodiscard]] bool isReadOnly() const { return state & kReadOnly; }
    [[nodiscard]] bool isModified() const { return state & kModified; }
};

class CGridTextMetrics;

// The defaults of one kind of cell (normal, fixed column, fixed row, both) and the size
// new rows and columns take, derived from the font it measures with.
struct CGridDefaultCell : CGridCell {
    // Without a font to measure.
    static constexpr int kFallbackMargin = 3, kFallbackWidth = 40, kFallbackHeight = 16;
    // The text a default column is wide enough for.
    static constexpr std::u16string_view kSizingText = u" XXXXXXXXXXXX ";

    uint32_t width = 30;
    uint32_t height = 10;

    CGridDefaultCell()
    {
        format = int(kDefaultFormat);
        margin = kFallbackMargin;
        state = kReadOnly;
    }
    // Margin the width of a space, width that of kSizingText, height 3/2 of its line.
    void measureWith(const CGridTextMetrics* metrics);
};
