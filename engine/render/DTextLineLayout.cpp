#include "engine/render/DTextLineLayout.h"

#include <algorithm>

#include "foundation/text/DTextDescriptor.h"

DTextLineLayout DTextLineLayout::place(std::span<const DLineGlyph> glyphs, const DRect& rect,
                                       const target::TextStyle& style, int32_t cursor, int64_t lineHeight)
{
    DTextLineLayout line;
    line.lineHeight = lineHeight;
    // Positive advances widen the line to the right, negative ones to the left.
    int64_t pen = 0, leftmost = 0, rightmost = 0, cursorPen = 0;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (int64_t(i) == cursor)
            cursorPen = pen;
        pen += glyphs[i].advance;
        leftmost = std::min(leftmost, pen);
        rightmost = std::max(rightmost, pen);
    }
    if (cursor >= int64_t(glyphs.size()))
        cursorPen = pen;
    line.width = rightmost - leftmost;
    line.extent = -leftmost;
    // Right to left the glyphs are drawn last first, so the caret sits as far from the
    // line's start as the glyphs after it reach.
    line.caret = style.rightToLeft ? pen - cursorPen : cursorPen;
    const int64_t rectWidth = rect.width();

    if (cursor != -1 && line.width > rectWidth) {
        // The part of the line around the caret stays in view.
        if (!style.rightToLeft) {
            line.startX = line.caret > rectWidth ? rect.right - line.caret : rect.left;
        } else {
            line.startX = int64_t(rect.right) + 1 - pen;
            if (line.startX + line.caret < rect.left)
                line.startX = rect.left - line.caret;
        }
    } else if (style.alignment == DTextDescriptor::Centre) {
        line.startX = (rect.right + line.extent - rect.left - line.width) / 2 + rect.left;
    } else if (style.alignment == DTextDescriptor::Right) {
        line.startX = rect.right + line.extent - line.width - 1;
    } else {
        line.startX = rect.left;
    }
    line.startY = rect.top;
    if (style.lineAlignment == DTextDescriptor::Middle)
        line.startY = rect.top + (rect.bottom - rect.top - lineHeight + 1) / 2;
    else if (style.lineAlignment == DTextDescriptor::Bottom)
        line.startY = rect.bottom - lineHeight;
    return line;
}

DRect DTextLineLayout::caretBar(const DRect& rect) const
{
    int64_t x = startX + caret - 1;
    if (rect.right - rect.left >= 2)
        x = std::clamp<int64_t>(x, rect.left + 1, rect.right - 1);
    return DRect::saturated(x, startY, x, startY + lineHeight - 1);
}

DRect DTextLineLayout::underline() const
{
    const int64_t eighth = lineHeight / 8;
    const int64_t bottom = startY + lineHeight - eighth - 1;
    const int64_t thickness = std::max<int64_t>(eighth / 4, 1);
    const int64_t left = startX - extent;
    return DRect::saturated(left, bottom - thickness + 1, left + width - 1, bottom);
}
