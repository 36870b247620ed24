#pragma once
// What the grid's model needs of a font: text widths and the line height. The view gives
// one over its toolkit's font; tests give fixed figures.

#include <string_view>

class CGridTextMetrics {
public:
    virtual ~CGridTextMetrics() = default;
    [[nodiscard]] virtual int textWidth(std::u16string_view text) const = 0;
    [[nodiscard]] virtual int lineHeight() const = 0;
};
