#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/widgets/DCompositeObject_Slider.h"
#include "tests/support/engine/WidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kBackground = 0xFF000000u, kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u,
                   kValueTag = 3;
constexpr uint32_t kTouchable = kElementFlagVisible | kElementFlagTouchable;

// A horizontal track of 120 x 10 at (0, 20) with a margin of 10 (travel 100) and a thumb
// of 10 x 20 at the minimum; or a vertical one of 10 x 60 at (50, 0), margin 5 (travel 50),
// thumb 20 x 10.
struct Layout {
    DRect track, thumb; // exclusive right and bottom, as the builder takes them
    uint32_t margin;
};
constexpr Layout kHorizontal{{0, 20, 120, 30}, {5, 15, 15, 35}, 10};
constexpr Layout kVertical{{50, 0, 60, 60}, {45, 0, 65, 10}, 5};

DThumbWidget::Words sliderWords(uint32_t direction, uint32_t margin, int32_t minimum = 0, int32_t maximum = 100)
{
    DThumbWidget::Words words;
    words.direction = direction;
    words.travel = margin;
    words.minimum = minimum;
    words.maximum = maximum;
    return words;
}

struct Pictures {
    bool tracked = false; // the track's focus-tracking flag
    bool images = false;  // a red track picture and a blue focused one
    bool thumb = false;   // a green thumb picture
};

std::vector<uint8_t> sliderPage(DThumbWidget::Words words, const Layout& layout, uint32_t step,
                                Pictures pictures = {})
{
    TargetBuilder builder(WidgetHarness::kWidth, WidgetHarness::kHeight, 1);
    if (pictures.images) {
        const auto width = uint32_t(layout.track.right - layout.track.left);
        const auto height = uint32_t(layout.track.bottom - layout.track.top);
        std::vector<uint32_t> red(width * height, kRed), blue(width * height, kBlue);
        words.trackImage = builder.image(width, height, red);
        words.focusedTrackImage = builder.image(width, height, blue);
    }
    if (pictures.thumb) {
        const auto width = uint32_t(layout.thumb.right - layout.thumb.left);
        const auto height = uint32_t(layout.thumb.bottom - layout.thumb.top);
        words.thumbImage = builder.image(width, height, std::vector<uint32_t>(width * height, kGreen));
    }
    return WidgetHarness::finishPage(builder, kBackground, [&](TargetBuilder::Page& page) {
        vx::test::ThumbWidgetRecord slider;
        slider.words = words;
        slider.tag = localTag(kValueTag);
        slider.step = step;
        slider.thumb = layout.thumb;
        slider.track = layout.track;
        slider.trackFlags = kTouchable | (pictures.tracked ? kElementFlagFocusTracking : 0);
        vx::test::writeThumbWidget(page, slider);
    });
}

class SliderTest : public WidgetHarness {
protected:
    DCompositeObject_Slider* slider() { return expectWidget<DCompositeObject_Slider>(); }
    DPoint thumbAt() { return {slider()->thumb()->bounds().left, slider()->thumb()->bounds().top}; }
};

} // namespace

TEST_F(SliderTest, DraggingSnapsToTheStepAndWritesTheTag)
{
    struct Case {
        uint32_t direction;
        DPoint point;
        int32_t written;
        DPoint thumb;
    };
    const Case cases[] = {
        {1, {108, 25}, 100, {105, 15}}, // 98 % of the travel snaps up to 100
        {1, {107, 25}, 95, {100, 15}},  // 97 % down to 95
        {1, {-30, 25}, 0, {5, 15}},
        {1, {400, 25}, 100, {105, 15}},
        {2, {69, 25}, 40, {64, 15}},    // from the right end: 109 - 40
        {3, {55, 30}, 50, {45, 25}},    // down from the top: 25 of 50 pixels
        {4, {55, 44}, 20, {45, 39}},    // up from the bottom end at 54
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << " " << c.point.x << "," << c.point.y);
        project.unload();
        const Layout& layout = c.direction <= 2 ? kHorizontal : kVertical;
        ASSERT_EQ(load(sliderPage(sliderWords(c.direction, layout.margin), layout, 5)), 0);
        slider()->onPointerDown(c.point);
        EXPECT_EQ(tag(kValueTag)->value().number(), c.written);
        EXPECT_EQ(thumbAt(), c.thumb);
    }
}

TEST_F(SliderTest, TagValuesPlaceTheThumb)
{
    ASSERT_EQ(load(sliderPage(sliderWords(1, 10), kHorizontal, 5)), 0);
    struct Case {
        int32_t value;
        int64_t offset;
    };
    const Case cases[] = {{50, 50}, {52, 50}, {53, 55}, {-10, 0}, {1000, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        setTag(kValueTag, c.value);
        EXPECT_EQ(slider()->thumbOffset(), c.offset);
        EXPECT_EQ(thumbAt().x, 5 + c.offset);
    }
}

TEST_F(SliderTest, ItsOwnWriteComingBackDoesNotMoveTheThumb)
{
    ASSERT_EQ(load(sliderPage(sliderWords(1, 10), kHorizontal, 1)), 0);
    setTag(kValueTag, 10);
    project.render();
    slider()->onPointerDown({50, 25});
    EXPECT_TRUE(tag(kValueTag)->value().isWritten());
    project.render();
    local.update(platform.now); // tells the slider of the value it wrote
    EXPECT_FALSE(tag(kValueTag)->value().isWritten());
    EXPECT_EQ(slider()->thumbOffset(), 40);
    EXPECT_TRUE(project.dirtyRectangles().empty());

    slider()->onPointerMove({50, 25}); // the same place: nothing written again
    EXPECT_FALSE(tag(kValueTag)->value().isWritten());
}

TEST_F(SliderTest, ScalingWritesForwardAndReadsBack)
{
    DThumbWidget::Words words = sliderWords(1, 10);
    words.multiplier = 2;
    words.offset = 10;
    ASSERT_EQ(load(sliderPage(words, kHorizontal, 1)), 0);
    slider()->onPointerDown({50, 25});
    EXPECT_EQ(tag(kValueTag)->value().number(), 90); // 40 x 2 + 10
    setTag(kValueTag, 50);                            // (50 - 10) / 2
    EXPECT_EQ(slider()->thumbOffset(), 20);
}

TEST_F(SliderTest, PressAndSlideThroughThePage)
{
    ASSERT_EQ(load(sliderPage(sliderWords(1, 10), kHorizontal, 1)), 0);
    project.onPointerDown({60, 25});
    EXPECT_EQ(tag(kValueTag)->value().number(), 50);
    project.onPointerMove({85, 40}); // off the track, still captured
    EXPECT_EQ(tag(kValueTag)->value().number(), 75);
    project.onPointerUp({85, 40});
    project.onPointerMove({20, 25}); // released: no drag
    EXPECT_EQ(tag(kValueTag)->value().number(), 75);
    project.render();
    EXPECT_EQ(thumbAt().x, 80);
}

TEST_F(SliderTest, NoStepNoRangeOrNoTravelShowsTheMinimumAndWritesNothing)
{
    struct Case {
        const char* name;
        DThumbWidget::Words words;
        uint32_t step;
    };
    const Case cases[] = {
        {"step 0", sliderWords(1, 10), 0},
        {"range 0", sliderWords(1, 10, 40, 40), 5},
        {"travel 0", sliderWords(1, 60), 5},
        {"travel below 0", sliderWords(1, 90), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        project.unload();
        ASSERT_EQ(load(sliderPage(c.words, kHorizontal, c.step)), 0);
        setTag(kValueTag, 70);
        EXPECT_EQ(slider()->thumbOffset(), 0);
        slider()->onPointerDown({100, 25});
        slider()->onPointerMove({110, 25});
        EXPECT_EQ(tag(kValueTag)->value().number(), 70);
        EXPECT_FALSE(tag(kValueTag)->value().isWritten());
        project.render();
    }
}

TEST_F(SliderTest, FocusedTrackPictureFollowsTheFocusWhenTracked)
{
    for (const bool tracked : {true, false}) {
        SCOPED_TRACE(tracked);
        project.unload();
        ASSERT_EQ(load(sliderPage(sliderWords(1, 10), kHorizontal, 1, {tracked, true})), 0);
        project.render();
        EXPECT_EQ(pixel(60, 22), kRed);
        EXPECT_EQ(slider()->setFocus(1), 1);
        project.render();
        EXPECT_EQ(pixel(60, 22), tracked ? kBlue : kRed);
        EXPECT_EQ(slider()->setFocus(0), 1);
        project.render();
        EXPECT_EQ(pixel(60, 22), kRed);
    }
}

TEST_F(SliderTest, AMovedThumbLeavesWhatLiesUnderItsOldPlace)
{
    struct Case {
        const char* name;
        uint32_t direction;
        const Layout& layout;
        std::vector<ThumbMove> moves;
    };
    const Case cases[] = {
        {"horizontal", 1, kHorizontal, {{false, 50, {}}, {true, 0, {20, 25}}, {true, 0, {100, 25}}, {false, 0, {}}}},
        {"vertical", 3, kVertical, {{false, 80, {}}, {true, 0, {55, 10}}, {false, 40, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        project.unload();
        ASSERT_EQ(load(sliderPage(sliderWords(c.direction, c.layout.margin), c.layout, 1, {false, true, true})), 0);
        project.render();
        const DRect track = c.layout.track;
        // The thumb over the track over the background.
        expectThumbMovesLeaveNoTrace(c.moves, kValueTag, [&] { return slider()->thumb(); }, kGreen, [&](int x, int y) {
            return x >= track.left && x < track.right && y >= track.top && y < track.bottom ? kRed : kBackground;
        });
    }
}
