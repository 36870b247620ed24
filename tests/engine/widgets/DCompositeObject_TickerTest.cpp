#include <vector>

#include "engine/primitives/DBaseObject_ScrollingBitmap.h"
#include "engine/widgets/DCompositeObject_Ticker.h"
#include "tests/support/engine/ScrollingWidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr int32_t kWindow = 8; // the ticker's width and height

struct TickerSetup {
    uint32_t mode;
    int32_t speed;
    uint32_t period;
    uint32_t overflow;
};

// A ticker over (0, 0, 8, 8) whose strip has column c in colour 0xFF000000 | (c + 1).
std::vector<uint8_t> tickerPage(const TickerSetup& setup)
{
    TargetBuilder builder(ScrollingWidgetHarness::kWidth, ScrollingWidgetHarness::kHeight, 1);
    const uint32_t stripWidth = kWindow + setup.overflow;
    std::vector<uint32_t> pixels;
    for (int y = 0; y < kWindow; ++y)
        for (uint32_t x = 0; x < stripWidth; ++x)
            pixels.push_back(0xFF000000u | (x + 1));
    const uint32_t strip = builder.image(stripWidth, kWindow, pixels, ImageCompression::None);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        vx::test::writeTicker(page, {setup.speed, setup.period, setup.overflow, strip, setup.mode,
                                     {0, 0, kWindow, kWindow}});
    });
    return builder.finish();
}

struct MotionCase {
    const char* name;
    TickerSetup setup;
    std::vector<int32_t> positions; // after each tick
};

const MotionCase kMotionCases[] = {
    {"ClampedRunsToTheOverflowThenRestarts", {1, 3, 100, 10}, {3, 6, 9, 0, 3}},
    {"ClampedWithoutOverflowNeverMoves", {1, 3, 100, 0}, {0, 0, 0}},
    {"WrappingCyclesEveryWidthWithoutOverflow", {2, 3, 100, 0}, {3, 6, 0, 3, 6, 0}},
    {"WrappingRunsThroughOverflowAndWidth", {2, 5, 100, 4}, {5, 10, 0, 5}},
    {"BackwardsWrapsAroundTheStart", {2, -3, 100, 0}, {8, 5, 2, 8}},
};

class TickerMotion : public ScrollingWidgetHarness, public testing::WithParamInterface<MotionCase> {};

} // namespace

TEST_P(TickerMotion, MovesBySpeedEachPeriod)
{
    const MotionCase& c = GetParam();
    ASSERT_EQ(load(tickerPage(c.setup)), 0);
    auto* ticker = widget<DCompositeObject_Ticker>(0);
    ASSERT_NE(ticker, nullptr);
    ASSERT_NE(ticker->scroller(), nullptr);
    frame(0); // the first tick is due at once
    std::vector<int32_t> seen{ticker->scroller()->scrollPosition().x};
    for (std::size_t i = 1; i < c.positions.size(); ++i) {
        frame(c.setup.period / 2); // half a period: nothing moves
        EXPECT_EQ(ticker->scroller()->scrollPosition().x, seen.back());
        frame(c.setup.period - c.setup.period / 2);
        seen.push_back(ticker->scroller()->scrollPosition().x);
    }
    EXPECT_EQ(seen, c.positions);
}

INSTANTIATE_TEST_SUITE_P(Ticker, TickerMotion, testing::ValuesIn(kMotionCases),
                         [](const auto& info) { return std::string(info.param.name); });

using TickerPicture = ScrollingWidgetHarness;

TEST_F(TickerPicture, StripShowsAtItsPositionAndWrapsIntoTheWindow)
{
    ASSERT_EQ(load(tickerPage({2, 3, 50, 4})), 0); // a 12-pixel strip with period 12
    frame(0);
    frame(50);
    frame(50); // position 9
    auto* ticker = widget<DCompositeObject_Ticker>(0);
    ASSERT_EQ(ticker->scroller()->scrollPosition().x, 9);
    project.render();
    std::vector<uint32_t> row;
    for (int x = 0; x < kWindow; ++x)
        row.push_back(pixel(x, 3));
    const std::vector<uint32_t> expected{0xFF00000Au, 0xFF00000Bu, 0xFF00000Cu, 0xFF000001u,
                                         0xFF000002u, 0xFF000003u, 0xFF000004u, 0xFF000005u};
    EXPECT_EQ(row, expected);
    EXPECT_EQ(pixel(kWindow, 3), 0u); // nothing beside the window
}

TEST_F(TickerPicture, PeriodZeroTicksEveryMillisecond)
{
    ASSERT_EQ(load(tickerPage({2, 1, 0, 4})), 0);
    auto* ticker = widget<DCompositeObject_Ticker>(0);
    frame(0);
    frames(3, 1);
    EXPECT_EQ(ticker->position(), 4);
}

TEST_F(TickerPicture, ScrollerOfAnotherKindLeavesTheTickerStill)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        page.object(uint32_t(WidgetType::Ticker), [&](DRIFFFile& file) {
            writeRecord(file, TickerWords{5, 10, 0xFFFFFFFFu, kNoResource});
            page.element(ElementKind::SolidRect, 0, 0, kWindow, kWindow, kElementFlagVisible);
        });
    });
    ASSERT_EQ(load(builder.finish()), 0);
    auto* ticker = widget<DCompositeObject_Ticker>(0);
    ASSERT_NE(ticker, nullptr);
    EXPECT_EQ(ticker->scroller(), nullptr);
    frames(5);
    EXPECT_EQ(ticker->position(), 0);
}
