#pragma once
// What the grid's model needs of a font: text widths and the line height. The view gives
// one over its toolkit's font; tests give fixed figures.

#include <string_view>

#include "engine/tagmonitor/grid/CGridFont.h"

class CGridTextMetrics {
public:
    virtual ~CGridTextMetrics() = default;
    [[nodiscard]] virtual int textWidth(std::u16string_view text) const = 0;
    [[nodiscard]] virtual int lineHeight() const = 0;
    // The same in a cell's own font; measures that know one font only keep theirs.
    [[nodiscard]] virtual int textWidthIn(const CGridFont& /*font*/, std::u16string_view text) const { return textWidth(text); }
    [[nodiscard]] virtual int lineHeightIn(const CGridFont& /*font*/) const { return lineHeight(); }
};
