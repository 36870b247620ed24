#include <gtest/gtest.h>

#include "editor/objects/buttons/CDecorationPlacement.h"

namespace {

using Form = CDecorationPlacement::IndicatorSizeForm;

struct ButtonIconCase {
    const char* name;
    gfx::Rect object;
    int32_t imageWidth, imageHeight;
    CDecorationPlacement::ButtonIcon settings;
    std::optional<gfx::Rect> expected;
};

TEST(CDecorationPlacement, ButtonIconFitsBesideTheCornerArc)
{
    const ButtonIconCase cases[] = {
        {"natural size, small corner", {0, 0, 100, 40}, 32, 32, {100, 0, 5}, gfx::Rect{2, 4, 34, 36}},
        {"placed from the object's left and top", {10, 20, 110, 60}, 32, 32, {100, 0, 5}, gfx::Rect{12, 24, 44, 56}},
        {"above 100 percent counts 100", {0, 0, 100, 40}, 32, 32, {150, 0, 5}, gfx::Rect{2, 4, 34, 36}},
        {"half size", {0, 0, 100, 40}, 32, 32, {50, 0, 5}, gfx::Rect{2, 11, 20, 29}},
        {"the offset is the least inset", {0, 0, 100, 40}, 32, 32, {100, 50, 5}, gfx::Rect{50, 4, 82, 36}},
        {"offset above 100 counts 100 and leaves no room", {0, 0, 100, 40}, 32, 32, {100, 300, 5}, std::nullopt},
        // Round corners push the icon in; it shrinks by 4 until it fits.
        {"round corners", {0, 0, 60, 40}, 64, 64, {100, 0, 100}, gfx::Rect{10, 4, 42, 36}},
        {"narrow frame shrinks the icon", {0, 0, 30, 40}, 32, 32, {100, 0, 5}, gfx::Rect{2, 8, 26, 32}},
        {"ten pixels is kept", {0, 0, 20, 14}, 32, 32, {100, 0, 5}, gfx::Rect{2, 2, 12, 12}},
        {"nine pixels is dropped", {0, 0, 20, 13}, 32, 32, {100, 0, 5}, std::nullopt},
        {"size 0 is no icon", {0, 0, 100, 40}, 32, 32, {0, 0, 5}, std::nullopt},
        {"negative size is no icon", {0, 0, 100, 40}, 32, 32, {-5, 0, 5}, std::nullopt},
        {"an image of no size", {0, 0, 100, 40}, 0, 32, {100, 0, 5}, std::nullopt},
        {"a frame of no size", {0, 0, 0, 0}, 32, 32, {100, 0, 5}, std::nullopt},
    };
    for (const ButtonIconCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CDecorationPlacement::PlaceButtonIcon(c.object, c.imageWidth, c.imageHeight, c.settings), c.expected);
    }
}

struct LampIconCase {
    const char* name;
    gfx::Rect object;
    int32_t imageWidth, imageHeight;
    std::optional<gfx::Rect> expected;
};

TEST(CDecorationPlacement, LampIconStaysInsideTheRoundLamp)
{
    const LampIconCase cases[] = {
        {"natural size", {0, 0, 40, 40}, 16, 16, gfx::Rect{7, 12, 23, 28}},
        {"scaled to the lamp's height less 5", {0, 0, 40, 40}, 32, 64, gfx::Rect{22, 2, 39, 37}},
        {"moved with the object", {100, 50, 140, 90}, 16, 16, gfx::Rect{107, 62, 123, 78}},
        {"narrower than the image", {0, 0, 12, 40}, 16, 16, std::nullopt},
        {"as wide as the image", {0, 0, 16, 40}, 16, 16, gfx::Rect{7, 12, 23, 28}},
        // A lamp 5 pixels high or lower leaves its icon no height: nothing to rescale to.
        {"no height left", {0, 0, 40, 5}, 16, 16, std::nullopt},
        {"negative height left", {0, 0, 40, 3}, 16, 16, std::nullopt},
        {"an image of no size", {0, 0, 40, 40}, 0, 0, std::nullopt},
    };
    for (const LampIconCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CDecorationPlacement::PlaceLampIcon(c.object, c.imageWidth, c.imageHeight), c.expected);
    }
}

struct IndicatorCase {
    const char* name;
    gfx::Rect object;
    int32_t size;
    Form form;
    int32_t roundness;
    gfx::Rect expected;
};

TEST(CDecorationPlacement, IndicatorSitsInTheUpperRightCorner)
{
    const IndicatorCase cases[] = {
        {"half of half the side", {0, 0, 100, 40}, 50, Form::Percentage, 5, {79, 1, 99, 21}},
        {"moved with the object", {10, 10, 110, 50}, 50, Form::Percentage, 5, {89, 11, 109, 31}},
        {"a diameter in pixels", {0, 0, 100, 40}, 30, Form::Pixels, 5, {69, 1, 99, 31}},
        {"clamped to half the side less the margin", {0, 0, 100, 40}, 500, Form::Percentage, 5, {63, 1, 99, 37}},
        {"margin 8 on large objects", {0, 0, 200, 200}, 50, Form::Percentage, 5, {95, 5, 195, 105}},
        {"negative size is 0", {0, 0, 100, 40}, -20, Form::Percentage, 5, {99, 1, 99, 1}},
        {"factor 0 has no area", {0, 0, 100, 40}, 0, Form::Percentage, 5, {99, 1, 99, 1}},
        {"a one-pixel object", {0, 0, 1, 1}, 50, Form::Percentage, 5, {1, 0, 1, 0}},
    };
    for (const IndicatorCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CDecorationPlacement::PlaceIndicator(c.object, c.size, c.form, c.roundness), c.expected);
    }
    EXPECT_TRUE(CDecorationPlacement::PlaceIndicator({0, 0, 100, 40}, 0, Form::Percentage, 5).isEmpty());
}

} // namespace
