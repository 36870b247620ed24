#pragma once
// Where a button's or lamp's icon and a button's indicator go inside the object's
// rectangle. Integer arithmetic as the panels were always laid out; sizes that come out
// at or below 0 mean the decoration is not there.

#include <cstdint>
#include <optional>

#include "platform/gfx/Rect.h"

class CDecorationPlacement {
public:
    // An icon narrower or lower than this inside a button frame is dropped.
    static constexpr int32_t kMinimumButtonIcon = 10;
    // The indicator is drawn only on buttons at least this high.
    static constexpr int32_t kMinimumIndicatorHeight = 16;

    struct ButtonIcon {
        int32_t sizePercent = 100;    // "Icon size [%]"; not above 0: no icon
        int32_t offsetPercent = 0;    // "Icon offset [%]", the least inset from the left
        int32_t roundness = 5;        // the style's corner roundness in percent
    };

    // The icon of an image of imageWidth × imageHeight in a button frame; none when it
    // cannot be made wider and higher than 9 pixels there.
    static std::optional<gfx::Rect> PlaceButtonIcon(const gfx::Rect& object, int32_t imageWidth, int32_t imageHeight,
                                                    const ButtonIcon& settings);
    // The icon in a round lamp, kept clear of its rim; none when the lamp is narrower
    // than the image or the icon would have no size.
    static std::optional<gfx::Rect> PlaceLampIcon(const gfx::Rect& object, int32_t imageWidth, int32_t imageHeight);

    enum class IndicatorSizeForm { Percentage, Pixels };
    // The square of the indicator in the upper right corner; empty when its size is 0.
    static gfx::Rect PlaceIndicator(const gfx::Rect& object, int32_t size, IndicatorSizeForm form, int32_t roundness);
};
