#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/widgets/DCompositeObject_Knob.h"
#include "tests/support/engine/WidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kBackground = 0xFF000000u, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kValueTag = 5;
constexpr uint32_t kClockwise = uint32_t(TurnDirection::Clockwise);

// A dial of 48 x 48 at the origin (centre (24, 24)) and a thumb of 8 x 8 on the centre,
// moved 16 pixels out along the angle.
DThumbWidget::Words knobWords(int32_t start, int32_t end, uint32_t direction, int32_t maximum)
{
    DThumbWidget::Words words;
    words.direction = direction;
    words.angles = packHalves(start, end);
    words.travel = 16;
    words.minimum = 0;
    words.maximum = maximum;
    return words;
}

// With pictures, the dial is red and the thumb green.
std::vector<uint8_t> knobPage(DThumbWidget::Words words, uint32_t step, bool pictures = false)
{
    TargetBuilder builder(WidgetHarness::kWidth, WidgetHarness::kHeight, 1);
    if (pictures) {
        words.trackImage = builder.image(48, 48, std::vector<uint32_t>(48 * 48, kRed));
        words.thumbImage = builder.image(8, 8, std::vector<uint32_t>(8 * 8, kGreen));
    }
    return WidgetHarness::finishPage(builder, kBackground, [&](TargetBuilder::Page& page) {
        vx::test::ThumbWidgetRecord knob;
        knob.type = WidgetType::Knob;
        knob.words = words;
        knob.tag = localTag(kValueTag);
        knob.step = step;
        knob.thumb = {20, 20, 28, 28};
        knob.track = {0, 0, 48, 48};
        vx::test::writeThumbWidget(page, knob);
    });
}

class KnobTest : public WidgetHarness {
protected:
    DCompositeObject_Knob* knob() { return expectWidget<DCompositeObject_Knob>(); }
    DPoint thumbAt() { return {knob()->thumb()->bounds().left, knob()->thumb()->bounds().top}; }
    int32_t written() { return tag(kValueTag)->value().number(); }
};

} // namespace

TEST_F(KnobTest, ValuesTurnTheThumbClockwiseFromTheStart)
{
    // From the left (90 degrees) clockwise over the top to straight down: a unit a degree.
    ASSERT_EQ(load(knobPage(knobWords(90, 0, kClockwise, 270), 1)), 0);
    EXPECT_EQ(knob()->centre(), (DPoint{24, 24}));
    struct Case {
        int32_t value;
        DPoint thumb;
    };
    const Case cases[] = {{0, {4, 20}}, {90, {20, 4}}, {180, {36, 20}}, {270, {20, 36}}, {400, {20, 36}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        setTag(kValueTag, c.value);
        EXPECT_EQ(thumbAt(), c.thumb);
    }
}

TEST_F(KnobTest, DraggingFollowsThePointerAndSnapsToTheNearerEnd)
{
    struct Case {
        DPoint point;
        uint32_t step;
        int32_t written;
    };
    // 60 to 300 degrees clockwise; the gap lies around straight down.
    const Case cases[] = {
        {{40, 19}, 1, 192},
        {{8, 19}, 1, 47},
        {{8, 19}, 5, 45},
        {{38, 36}, 1, 240}, // just past the end: stays at the end
        {{25, 40}, 1, 240}, // right of the gap's middle: the end
        {{23, 40}, 1, 0},   // left of it: jumps to the start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y << " step " << c.step);
        project.unload();
        ASSERT_EQ(load(knobPage(knobWords(60, 300, kClockwise, 240), c.step)), 0);
        setTag(kValueTag, 120);
        knob()->onPointerDown(c.point);
        EXPECT_EQ(written(), c.written);
        EXPECT_DOUBLE_EQ(knob()->angle(), c.written * knob()->sweep() / 240);
    }
}

TEST_F(KnobTest, CounterclockwiseCountsTheOtherWayRound)
{
    // From 60 degrees against the clock through straight down to 300: 120 degrees.
    ASSERT_EQ(load(knobPage(knobWords(60, 300, DCompositeObject_Knob::kCounterclockwise, 120), 1)), 0);
    EXPECT_DOUBLE_EQ(knob()->sweep(), 120 * 6.283185307179586 / 360);
    setTag(kValueTag, 60);
    EXPECT_EQ(thumbAt(), (DPoint{20, 36})); // half way: straight down
    struct Case {
        DPoint point;
        int32_t written;
    };
    const Case cases[] = {{{25, 40}, 63}, {{10, 36}, 10}, {{40, 19}, 120}, {{8, 19}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        knob()->onPointerMove(c.point);
        EXPECT_EQ(written(), c.written);
    }
}

TEST_F(KnobTest, TheEndOfAWideRangeIsTheMaximum)
{
    ASSERT_EQ(load(knobPage(knobWords(60, 300, kClockwise, INT_MAX), 1)), 0);
    knob()->onPointerDown({38, 36});
    EXPECT_EQ(written(), INT_MAX);
}

TEST_F(KnobTest, NoStepOrNoSweepWritesNothing)
{
    struct Case {
        const char* name;
        DThumbWidget::Words words;
        uint32_t step;
    };
    const Case cases[] = {
        {"step 0", knobWords(60, 300, kClockwise, 240), 0},
        {"sweep 0", knobWords(60, 60, DCompositeObject_Knob::kCounterclockwise, 240), 1},
        {"range 0", knobWords(60, 300, kClockwise, 0), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        project.unload();
        ASSERT_EQ(load(knobPage(c.words, c.step)), 0);
        setTag(kValueTag, 100);
        knob()->onPointerDown({40, 19});
        EXPECT_EQ(written(), 100);
        EXPECT_FALSE(tag(kValueTag)->value().isWritten());
        project.render();
    }
}

TEST_F(KnobTest, ATurnedThumbLeavesTheDialUnderItsOldPlace)
{
    ASSERT_EQ(load(knobPage(knobWords(90, 0, kClockwise, 270), 1, true)), 0);
    project.render();
    const ThumbMove moves[] = {{false, 90, {}}, {false, 95, {}}, {true, 0, {40, 19}}, {true, 0, {8, 30}}, {false, 270, {}}};
    // The thumb over the dial over the background.
    expectThumbMovesLeaveNoTrace(moves, kValueTag, [&] { return knob()->thumb(); }, kGreen,
                                 [](int x, int y) { return x < 48 && y < 48 ? kRed : kBackground; });
}
