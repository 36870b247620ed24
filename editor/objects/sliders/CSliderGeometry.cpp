#include "editor/objects/sliders/CSliderGeometry.h"

#include <algorithm>

namespace {

bool onNearSide(SliderTickAlignment alignment)
{
    return alignment == SliderTickAlignment::TopLeft || alignment == SliderTickAlignment::Dual;
}

bool onFarSide(SliderTickAlignment alignment)
{
    return alignment == SliderTickAlignment::BottomRight || alignment == SliderTickAlignment::Dual;
}

int32_t percentOf(int64_t extent, int64_t percent, int64_t divisor)
{
    return saturated32(extent * percent / divisor);
}

} // namespace

int32_t CSliderGeometry::CrossExtent(const gfx::Rect& rect) const
{
    return IsVertical(m_settings.direction) ? rect.width() : rect.height();
}

int32_t CSliderGeometry::TrackLength(const gfx::Rect& rect) const
{
    return IsVertical(m_settings.direction) ? rect.height() : rect.width();
}

int32_t CSliderGeometry::OuterInset(int32_t cross) const
{
    if (m_settings.placement != TickPlacement::Outer)
        return 0;
    return percentOf(cross, m_settings.tickOffset, 200) + percentOf(cross, m_settings.tickSize, 200);
}

gfx::Rect CSliderGeometry::Narrowed(const gfx::Rect& rect, int32_t nearInset, int32_t farInset) const
{
    gfx::Rect narrowed = rect;
    if (IsVertical(m_settings.direction)) {
        narrowed.left += nearInset;
        narrowed.right -= farInset;
    } else {
        narrowed.top += nearInset;
        narrowed.bottom -= farInset;
    }
    return narrowed;
}

SliderLayout CSliderGeometry::Layout() const
{
    const SliderSettings& s = m_settings;
    const bool vertical = IsVertical(s.direction);
    const int32_t cross = CrossExtent(s.rect);
    const int32_t k = OuterInset(cross);
    const int64_t thumbSize = s.thumbSize;
    // A thumb above 100 % keeps the full cross extent while the track shrinks beside it.
    const int32_t overhang = thumbSize > kFullPercent ? saturated32((thumbSize - kFullPercent) * cross / thumbSize / 2) : 0;
    const int32_t inset = std::max(k, overhang);

    SliderLayout layout;
    layout.face = s.rect;
    if (thumbSize > kFullPercent || k > 0)
        layout.face = Narrowed(s.rect, onNearSide(s.alignment) ? inset : overhang, onFarSide(s.alignment) ? inset : overhang);
    const int32_t regionInset = std::max(k - overhang, 0);
    layout.region = Narrowed(s.rect, onNearSide(s.alignment) ? regionInset : 0, onFarSide(s.alignment) ? regionInset : 0);

    // Without a thumb picture the thumb is the whole object and has no margin.
    layout.thumb = s.rect;
    if (!s.thumbPicture || s.thumbPicture->width <= 0 || s.thumbPicture->height <= 0)
        return layout;

    const int64_t regionWidth = std::max(layout.region.width(), 0);
    const int64_t regionHeight = std::max(layout.region.height(), 0);
    const int64_t thumbPercent = std::min<int64_t>(thumbSize, kFullPercent);
    const int64_t crossSize = (vertical ? regionWidth : regionHeight) * thumbPercent / kFullPercent;
    const int64_t length = vertical ? crossSize * s.thumbPicture->height / s.thumbPicture->width
                                    : crossSize * s.thumbPicture->width / s.thumbPicture->height;

    const int64_t track = TrackLength(s.rect);
    int64_t margin = std::max<int64_t>(s.channelOffset, length / 2);
    // The panel moves the thumb over the track less both margins: keep at least a pixel.
    const int64_t widest = std::max<int64_t>((track - 1) / 2, 0);
    if (margin > widest) {
        margin = widest;
        layout.marginCut = true;
    }
    layout.margin = saturated32(margin);

    int64_t centre = StartOf(s.direction) == TrackStart::Far ? track - margin : margin;
    if (s.click) {
        const int64_t distance = vertical ? int64_t(s.click->y) - s.rect.top : int64_t(s.click->x) - s.rect.left;
        centre = std::clamp<int64_t>(distance, margin, std::max(margin, track - margin));
    }
    const int64_t across = (kFullPercent - thumbPercent) * (vertical ? regionWidth : regionHeight) / 200;
    if (vertical) {
        const int64_t left = layout.region.left + across, top = layout.region.top + centre - length / 2;
        layout.thumb = {saturated32(left), saturated32(top), saturated32(left + crossSize), saturated32(top + length)};
    } else {
        const int64_t left = layout.region.left + centre - length / 2, top = layout.region.top + across;
        layout.thumb = {saturated32(left), saturated32(top), saturated32(left + length), saturated32(top + crossSize)};
    }
    return layout;
}

std::vector<SliderTickBand> CSliderGeometry::TickBands(const SliderLayout& layout) const
{
    const SliderSettings& s = m_settings;
    std::vector<SliderTickBand> bands;
    if (s.tickSize <= 0)
        return bands;
    const bool vertical = IsVertical(s.direction);
    const gfx::Rect whole = gfx::Rect::fromSize(0, 0, s.rect.width(), s.rect.height());
    const gfx::Rect base =
        s.placement == TickPlacement::Inner ? layout.face.translated(-s.rect.left, -s.rect.top) : whole;

    // Along the track the band leaves the margins free; its first and last pixel.
    const int32_t start = (vertical ? base.top : base.left) + layout.margin;
    const int32_t end = (vertical ? base.bottom : base.right) - layout.margin - 1;
    // Across it: both edges are drawn pixels.
    const int64_t nearEdge = vertical ? base.left : base.top;
    const int64_t farEdge = (vertical ? base.right : base.bottom) - 1;
    const int64_t cross = CrossExtent(base);
    const int64_t depth = cross * s.tickSize / 200;
    const int64_t gap = int64_t(s.tickOffset) * cross / 200;
    const int64_t middle = (nearEdge + farEdge) / 2;
    const bool inner = s.placement == TickPlacement::Inner;

    const auto add = [&](int64_t nearSide, int64_t farSide, SliderTickAlignment alignment) {
        bands.push_back({start, end, saturated32(nearSide), saturated32(farSide), alignment});
    };
    switch (s.alignment) {
    case SliderTickAlignment::Centre: {
        const int64_t half = cross * s.tickSize / 400;
        add(middle - half, middle + half, SliderTickAlignment::Centre);
        break;
    }
    case SliderTickAlignment::TopLeft:
    case SliderTickAlignment::BottomRight:
    case SliderTickAlignment::Dual:
        if (onNearSide(s.alignment)) {
            if (inner)
                add(middle - depth - gap, middle - gap, SliderTickAlignment::TopLeft);
            else
                add(nearEdge, nearEdge + depth, SliderTickAlignment::TopLeft);
        }
        if (onFarSide(s.alignment)) {
            if (inner)
                add(middle + gap, middle + gap + depth, SliderTickAlignment::BottomRight);
            else
                add(farEdge - depth, farEdge, SliderTickAlignment::BottomRight);
        }
        break;
    }
    return bands;
}

gfx::Rect CSliderGeometry::Channel(const SliderLayout& layout, int32_t width) const
{
    if (width <= 0)
        return {};
    const gfx::Rect face = layout.face.translated(-m_settings.rect.left, -m_settings.rect.top);
    const int32_t margin = layout.margin;
    if (IsVertical(m_settings.direction))
        return gfx::Rect::fromSize((face.left + face.right) / 2 - width / 2, margin, width, face.bottom - 2 * margin);
    return gfx::Rect::fromSize(margin, (face.top + face.bottom) / 2 - width / 2, face.right - 2 * margin, width);
}
