#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject_Bargraph.h"
#include "tests/support/engine/WidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kBackground = 0xFF000000u, kBarColour = 0xFF00FF00u, kValueTag = 4;
// The bar's element: 20 x 10 pixels from (10, 10).
constexpr int32_t kLeft = 10, kTop = 10, kRight = 30, kBottom = 20;

DCompositeObject_Bargraph::Words colourBar(uint32_t direction, int32_t minimum = 0, int32_t maximum = 100)
{
    DCompositeObject_Bargraph::Words words;
    words.bar = kBarColour;
    words.direction = direction;
    words.minimum = minimum;
    words.maximum = maximum;
    words.lowLimit = 10;
    words.highLimit = 90;
    return words;
}

// One bar graph (widget 0) over a black background; barImage, when given, makes it an image bar.
std::vector<uint8_t> barPage(DCompositeObject_Bargraph::Words words, std::span<const uint32_t> barImage = {})
{
    TargetBuilder builder(WidgetHarness::kWidth, WidgetHarness::kHeight, 1);
    const bool image = !barImage.empty();
    if (image)
        words.bar = builder.image(kRight - kLeft, kBottom - kTop, barImage);
    return WidgetHarness::finishPage(builder, kBackground, [&](TargetBuilder::Page& page) {
        vx::test::writeBarGraph(page, {image ? WidgetType::ImageBar : WidgetType::ColorBar, words,
                                       localTag(kValueTag), {kLeft, kTop, kRight, kBottom}});
    });
}

class BargraphTest : public WidgetHarness {
protected:
    DCompositeObject_Bargraph* bar() { return expectWidget<DCompositeObject_Bargraph>(); }
};

} // namespace

TEST_F(BargraphTest, BarStripsFollowTheValueFromEachSide)
{
    struct Case {
        uint32_t direction;
        int32_t value;
        DRect visible;
    };
    const Case cases[] = {
        {1, 50, {10, 10, 20, 19}},
        {1, 0, {10, 10, 10, 19}},   // the minimum keeps one column at the start edge
        {1, -30, {10, 10, 10, 19}},
        {1, 100, {10, 10, 29, 19}},
        {1, 250, {10, 10, 29, 19}},
        {2, 50, {19, 10, 29, 19}},
        {3, 50, {10, 10, 29, 15}},
        {4, 50, {10, 14, 29, 19}},
        {4, 29, {10, 17, 29, 19}},  // trunc(10 x 0.29): 2 rows above the bottom one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << " " << c.value);
        project.unload();
        ASSERT_EQ(load(barPage(colourBar(c.direction))), 0);
        setTag(kValueTag, c.value);
        ASSERT_NE(bar()->bar(), nullptr);
        EXPECT_EQ(bar()->bar()->visibleRect(), c.visible);
        project.render();
        EXPECT_EQ(pixel(c.visible.left, c.visible.top), kBarColour);
        EXPECT_EQ(pixel(c.visible.right, c.visible.bottom), kBarColour);
        // Just past the bar's far edge lies the background.
        const int x = c.direction == 1 ? c.visible.right + 1 : c.direction == 2 ? c.visible.left - 1 : kLeft;
        const int y = c.direction == 3 ? c.visible.bottom + 1 : c.direction == 4 ? c.visible.top - 1 : kTop;
        if (x >= kLeft && x < kRight && y >= kTop && y < kBottom) {
            EXPECT_EQ(pixel(x, y), kBackground);
        }
    }
}

TEST_F(BargraphTest, AGrowingBarMarksOnlyTheStripThatChanged)
{
    ASSERT_EQ(load(barPage(colourBar(1))), 0);
    setTag(kValueTag, 50);
    project.render();
    setTag(kValueTag, 60);
    ASSERT_EQ(project.dirtyRectangles().size(), 1u);
    EXPECT_EQ(project.dirtyRectangles()[0], (DRect{20, 10, 22, 19}));
    project.render();
    EXPECT_EQ(pixel(22, 15), kBarColour);
    EXPECT_EQ(pixel(23, 15), kBackground);

    setTag(kValueTag, 60); // the same value: nothing to redraw
    EXPECT_TRUE(project.dirtyRectangles().empty());
}

TEST_F(BargraphTest, ScaledValueDrivesTheBar)
{
    DCompositeObject_Bargraph::Words words = colourBar(1);
    words.multiplier = 2;
    words.divisor = 4;
    words.offset = 10; // 80 x 2 / 4 + 10 = 50
    ASSERT_EQ(load(barPage(words)), 0);
    setTag(kValueTag, 80);
    EXPECT_EQ(bar()->bar()->visibleRect(), (DRect{10, 10, 20, 19}));
}

TEST_F(BargraphTest, ImageBarShowsThePartOfItsPictureUnderTheBar)
{
    std::array<uint32_t, 200> picture{};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            picture[std::size_t(y * 20 + x)] = 0xFF000000u | uint32_t(x * 10) << 16 | uint32_t(y * 20);
    ASSERT_EQ(load(barPage(colourBar(2), picture)), 0);
    setTag(kValueTag, 25); // the right edge and 5 columns left of it
    project.render();
    EXPECT_EQ(pixel(23, 12), kBackground);
    EXPECT_EQ(pixel(24, 12), picture[2 * 20 + 14]);
    EXPECT_EQ(pixel(29, 19), picture[9 * 20 + 19]);
}

TEST_F(BargraphTest, AlarmsFollowTheScaledValue)
{
    ASSERT_EQ(load(barPage(colourBar(1))), 0);
    struct Step {
        int32_t value;
        bool low, high;
    };
    const Step steps[] = {{50, false, false}, {10, true, false}, {11, false, false}, {90, false, true},
                          {89, false, false}, {-5, true, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.value);
        setTag(kValueTag, step.value);
        EXPECT_EQ(bar()->alarms().lowActive(), step.low);
        EXPECT_EQ(bar()->alarms().highActive(), step.high);
    }
}

TEST_F(BargraphTest, WithoutARangeTheBarRestsAtItsMinimumAndRaisesNoAlarm)
{
    // A maximum below the minimum is no range either.
    for (const auto& [minimum, maximum] : {std::pair{50, 50}, std::pair{80, 20}}) {
        SCOPED_TRACE(maximum);
        ASSERT_EQ(load(barPage(colourBar(1, minimum, maximum))), 0);
        for (int32_t value : {0, 20, 50, 80, 100}) {
            setTag(kValueTag, value);
            EXPECT_EQ(bar()->bar()->visibleRect(), (DRect{10, 10, 10, 19})) << value;
            EXPECT_FALSE(bar()->alarms().lowActive());
            EXPECT_FALSE(bar()->alarms().highActive());
        }
    }
}

TEST_F(BargraphTest, AnUnknownDirectionLeavesBarAndAlarmsAlone)
{
    ASSERT_EQ(load(barPage(colourBar(7))), 0);
    setTag(kValueTag, 0);
    EXPECT_EQ(bar()->bar()->visibleRect(), (DRect{10, 10, 29, 19}));
    EXPECT_FALSE(bar()->alarms().lowActive());
}
