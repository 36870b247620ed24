#pragma once
// The hatch brush of the light upward diagonal style (style 19 of the drawing library the
// original used): one-pixel lines rising to the right every 4 pixels, in a foreground
// colour over a background colour, both straight ARGB. The pattern is fixed to the
// picture's origin, so a frame looks the same wherever it is drawn. Fields outline
// their extent with it; the graph's dotted grid lines are drawn with it.

#include <cstdint>

#include "platform/gfx/PixelBuffer.h"
#include "platform/gfx/Rect.h"

class CHatchBrush {
public:
    // Style 19.
    static constexpr int32_t kLightUpwardDiagonal = 19;
    static constexpr int32_t kPeriod = 4;
    // The field frame's colours.
    static constexpr uint32_t kFieldForeground = 0x80FFFFFF;
    static constexpr uint32_t kFieldBackground = 0x80000000;

    CHatchBrush(uint32_t foreground, uint32_t background) : m_foreground(foreground), m_background(background) {}

    // Straight ARGB at picture position (x, y).
    uint32_t ColourAt(int32_t x, int32_t y) const;
    // Blends the brush's colour at (x, y) over the premultiplied pixel there; outside the
    // picture nothing happens.
    void Paint(const gfx::PixelBuffer& pixels, int32_t x, int32_t y) const;
    // A one-pixel outline whose last column and row are right - 1 and bottom - 1.
    void FrameRect(const gfx::PixelBuffer& pixels, const gfx::Rect& rect) const;
    // A one-pixel vertical line at x from top to bottom - 1.
    void VerticalLine(const gfx::PixelBuffer& pixels, int32_t x, int32_t top, int32_t bottom) const;

private:
    uint32_t m_foreground;
    uint32_t m_background;
};
