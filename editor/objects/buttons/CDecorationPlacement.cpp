#include "editor/objects/buttons/CDecorationPlacement.h"

#include <algorithm>
#include <cmath>

namespace {

// trunc(sqrt(r² - d²)) for 0 <= d <= r, in 64 bits.
int64_t chord(int64_t r, int64_t d)
{
    return int64_t(std::sqrt(double(std::max<int64_t>(r * r - d * d, 0))));
}

} // namespace

std::optional<gfx::Rect> CDecorationPlacement::PlaceButtonIcon(const gfx::Rect& object, int32_t imageWidth,
                                                               int32_t imageHeight, const ButtonIcon& settings)
{
    if (settings.sizePercent <= 0 || imageWidth <= 0 || imageHeight <= 0)
        return std::nullopt;
    const int64_t W = object.width(), H = object.height();
    const int64_t s = std::min(settings.sizePercent, 100);
    const int64_t o = std::clamp(settings.offsetPercent, 0, 100);
    const int64_t r = int64_t(settings.roundness) * (std::min(W, H) / 2) / 100;

    int64_t h = (H - 4) * s / 100;
    int64_t w = imageWidth;
    if (h < imageHeight)
        w = h * imageWidth / imageHeight;
    else
        h = imageHeight;
    const int64_t f = o * W / 100;
    int64_t x = 0;
    // Each round takes 4 off the height; once the icon is too small to keep, stop.
    while (h >= kMinimumButtonIcon && w >= kMinimumButtonIcon) {
        const int64_t v = (H - h) / 2;
        const int64_t d = r < v ? 0 : std::min(r - v, r);
        const int64_t u = r - chord(r, d) + 2;
        x = std::max(u, f);
        if (W - x - u >= w)
            break;
        h -= 4;
        w = h * imageWidth / imageHeight;
    }
    if (w < kMinimumButtonIcon || h < kMinimumButtonIcon)
        return std::nullopt;
    const int64_t top = object.top + (H - h) / 2;
    return gfx::Rect::fromSize(int32_t(object.left + x), int32_t(top), int32_t(w), int32_t(h));
}

std::optional<gfx::Rect> CDecorationPlacement::PlaceLampIcon(const gfx::Rect& object, int32_t imageWidth,
                                                             int32_t imageHeight)
{
    const int64_t W = object.width(), H = object.height();
    if (imageWidth <= 0 || imageHeight <= 0 || W < imageWidth)
        return std::nullopt;
    const int64_t x = H - 5;
    int64_t w = imageWidth, h = imageHeight;
    if (x < h) {
        h = x;
        w = int64_t(imageWidth) * h / imageHeight;
    }
    // A lamp too low for its icon gives it no size: there is nothing to draw.
    if (w <= 0 || h <= 0)
        return std::nullopt;
    const int64_t left = object.left + 5 + (x - chord(x, h)) / 2;
    const int64_t top = object.top + (H - h) / 2;
    return gfx::Rect::fromSize(int32_t(left), int32_t(top), int32_t(w), int32_t(h));
}

gfx::Rect CDecorationPlacement::PlaceIndicator(const gfx::Rect& object, int32_t size, IndicatorSizeForm form,
                                               int32_t roundness)
{
    const int64_t d = std::min(object.width(), object.height());
    const int64_t e = d / 2;
    const int64_t g = e < 81 ? d / 16 : 8;
    int64_t f = form == IndicatorSizeForm::Percentage ? e * size / 100 : int64_t(size) / 2;
    f = e - g < 0 ? 0 : std::clamp<int64_t>(f, 0, e - g);
    const int64_t k = e * roundness / 100;
    const int64_t m = (f + std::max(f, k) * 41 / 100 + g) * 100 / 141;
    return {int32_t(object.right - m - f), int32_t(object.top + m - f), int32_t(object.right - m + f),
            int32_t(object.top + m + f)};
}
