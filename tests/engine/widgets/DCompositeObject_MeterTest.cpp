#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "engine/primitives/DBaseObject_RotatingBitmap.h"
#include "engine/primitives/DBaseObject_SolidTriangle.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "tests/support/engine/WidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kBackground = 0xFF000000u, kNeedleColour = 0xFFFF0000u, kGreen = 0xFF00FF00u, kValueTag = 9;
constexpr double kQuarter = 1.5707963267948966;

enum class NeedleKind { Triangle, Picture, None };

// A dial of 48 x 48 at the origin, pivot (24, 24), start straight down, end 270 degrees
// on: 90 units over three quarters of a turn, 3 degrees a unit.
DCompositeObject_Meter::Words meterWords()
{
    DCompositeObject_Meter::Words words;
    words.needle = MeterWords::triangleNeedle(6, 20);
    words.needleColour = kNeedleColour;
    words.direction = DCompositeObject_Meter::kClockwise;
    words.angles = packHalves(0, 270);
    words.pivot = packHalves(24, 24);
    words.needlePivot = packHalves(3, 16); // tip radius 16
    words.minimum = 0;
    words.maximum = 90;
    words.lowLimit = 10;
    words.highLimit = 80;
    return words;
}

std::vector<uint8_t> meterPage(DCompositeObject_Meter::Words words, NeedleKind kind, uint32_t step = 1)
{
    TargetBuilder builder(WidgetHarness::kWidth, WidgetHarness::kHeight, 1);
    if (kind == NeedleKind::Picture) {
        // 3 x 12, pointing down from its pivot at (1, 0).
        std::array<uint32_t, 36> needle;
        needle.fill(kGreen);
        words.needle = builder.image(3, 12, needle);
        words.needlePivot = packHalves(1, 0);
    }
    return WidgetHarness::finishPage(builder, kBackground, [&](TargetBuilder::Page& page) {
        const ElementKind needle = kind == NeedleKind::Triangle ? ElementKind::SolidTriangle
                                   : kind == NeedleKind::Picture ? ElementKind::RotatingBitmap
                                                                 : ElementKind::Placeholder;
        vx::test::writeMeter(page, {words, localTag(kValueTag), step, needle, {0, 0, 48, 48}});
    });
}

class MeterTest : public WidgetHarness {
protected:
    DCompositeObject_Meter* meter() { return expectWidget<DCompositeObject_Meter>(); }
};

} // namespace

TEST(DBaseObject_SolidTriangle, CornersTurnClockwiseFromStraightDown)
{
    struct Case {
        double angle;
        DPoint tip, first, second;
    };
    // Pivot (24, 24), tip radius 16, half width 3, base 4 behind the pivot.
    const Case cases[] = {
        {0, {24, 40}, {21, 20}, {27, 20}},
        {kQuarter, {8, 24}, {28, 21}, {28, 27}},       // a quarter turn clockwise points left
        {-kQuarter, {40, 24}, {20, 27}, {20, 21}},      // right
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const auto corners = DBaseObject_SolidTriangle::cornersOf(c.angle, 3, 20, {24, 24}, 16);
        EXPECT_EQ(corners.tip, c.tip);
        EXPECT_EQ(corners.first, c.first);
        EXPECT_EQ(corners.second, c.second);
    }
    // Corners beyond the primitive's left edge stay where they are: the fill clips them.
    const auto outside = DBaseObject_SolidTriangle::cornersOf(-kQuarter, 3, 20, {2, 24}, 16);
    EXPECT_EQ(outside.first.x, -2);
    EXPECT_EQ(outside.tip, (DPoint{18, 24}));
}

TEST_F(MeterTest, TriangleNeedlePointsAtTheValue)
{
    ASSERT_EQ(load(meterPage(meterWords(), NeedleKind::Triangle)), 0);
    setTag(kValueTag, 0);
    project.render();
    EXPECT_EQ(pixel(24, 34), kNeedleColour); // down from the pivot
    EXPECT_EQ(pixel(16, 24), kBackground);

    setTag(kValueTag, 30); // 90 degrees: pointing left
    // Only the two needle boxes are redrawn.
    ASSERT_EQ(project.dirtyRectangles().size(), 1u);
    EXPECT_EQ(project.dirtyRectangles()[0], (DRect{8, 20, 28, 40}));
    project.render();
    EXPECT_EQ(pixel(16, 24), kNeedleColour);
    EXPECT_EQ(pixel(24, 34), kBackground);
    // The rim beyond the core carries half the needle's alpha.
    EXPECT_EQ(pixel(10, 24), blendOver(premultiplied(0x7FFF0000u), kBackground));
    EXPECT_DOUBLE_EQ(meter()->needleAngle(), kQuarter);
}

TEST_F(MeterTest, PictureNeedleTurnsAboutItsPivot)
{
    ASSERT_EQ(load(meterPage(meterWords(), NeedleKind::Picture)), 0);
    auto* needle = dynamic_cast<DBaseObject_RotatingBitmap*>(meter()->needle());
    ASSERT_NE(needle, nullptr);
    setTag(kValueTag, 0);
    project.render();
    EXPECT_EQ(pixel(24, 24), kGreen);
    EXPECT_EQ(pixel(24, 35), kGreen);
    EXPECT_EQ(pixel(24, 36), kBackground);
    EXPECT_EQ(pixel(18, 24), kBackground);

    setTag(kValueTag, 30);
    EXPECT_DOUBLE_EQ(needle->angle(), kQuarter);
    project.render();
    EXPECT_EQ(pixel(18, 24), kGreen);
    EXPECT_EQ(pixel(24, 35), kBackground);
}

TEST_F(MeterTest, ValuesClampAndRoundToTheStep)
{
    ASSERT_EQ(load(meterPage(meterWords(), NeedleKind::Triangle, 10)), 0);
    const double unit = meter()->sweep() / 90;
    struct Case {
        int32_t value;
        double position;
    };
    const Case cases[] = {{34, 30}, {35, 30}, {36, 40}, {-20, 0}, {500, 90}, {88, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        setTag(kValueTag, c.value);
        EXPECT_DOUBLE_EQ(meter()->needleAngle(), c.position * unit);
    }
}

TEST_F(MeterTest, CounterclockwiseSweepGoesTheOtherWay)
{
    DCompositeObject_Meter::Words words = meterWords();
    words.direction = uint32_t(TurnDirection::Counterclockwise);
    words.angles = packHalves(0, 90); // from down against the clock to the left: 270 degrees
    ASSERT_EQ(load(meterPage(words, NeedleKind::Triangle)), 0);
    EXPECT_DOUBLE_EQ(meter()->sweep(), 3 * kQuarter);
    setTag(kValueTag, 30); // a quarter turn against the clock: pointing right
    project.render();
    EXPECT_EQ(pixel(32, 24), kNeedleColour);
    EXPECT_EQ(pixel(16, 24), kBackground);
}

TEST_F(MeterTest, AlarmsTestTheNeedlesValueInTheLimitsUnits)
{
    DCompositeObject_Meter::Words words = meterWords();
    words.minimum = 100;
    words.maximum = 190;
    words.lowLimit = 110;
    words.highLimit = 180;
    ASSERT_EQ(load(meterPage(words, NeedleKind::Triangle, 10)), 0);
    setTag(kValueTag, 150);
    EXPECT_FALSE(meter()->alarms().lowActive());
    setTag(kValueTag, 114); // rounds to 110: at the low limit
    EXPECT_TRUE(meter()->alarms().lowActive());
    setTag(kValueTag, 116); // rounds to 120
    EXPECT_FALSE(meter()->alarms().lowActive());
    setTag(kValueTag, 1000); // clamped to the maximum
    EXPECT_TRUE(meter()->alarms().highActive());
}

TEST_F(MeterTest, WithoutANeedleTheAlarmsTestTheScaledValue)
{
    DCompositeObject_Meter::Words words = meterWords();
    words.lowLimit = -10;
    ASSERT_EQ(load(meterPage(words, NeedleKind::None)), 0);
    EXPECT_EQ(meter()->needle(), nullptr);
    setTag(kValueTag, -50); // below the minimum, yet the low alarm sees it
    EXPECT_TRUE(meter()->alarms().lowActive());

    project.unload();
    ASSERT_EQ(load(meterPage(words, NeedleKind::Triangle)), 0);
    setTag(kValueTag, -50); // with a needle: clamped to 0, above the limit
    EXPECT_FALSE(meter()->alarms().lowActive());
}

TEST_F(MeterTest, NoRangeOrNoStepLeavesTheNeedleAtTheStart)
{
    DCompositeObject_Meter::Words flat = meterWords();
    flat.maximum = flat.minimum;
    for (const auto& [words, step] : {std::pair{flat, 1u}, std::pair{meterWords(), 0u}}) {
        project.unload();
        ASSERT_EQ(load(meterPage(words, NeedleKind::Triangle, step)), 0);
        setTag(kValueTag, 5); // below the low limit
        EXPECT_EQ(meter()->needleAngle(), 0);
        EXPECT_FALSE(meter()->alarms().lowActive());
        project.render();
        EXPECT_EQ(pixel(24, 34), kNeedleColour);
    }
}

TEST_F(MeterTest, MalformedRecordsLoadWithoutCrashing)
{
    TargetBuilder builder(WidgetHarness::kWidth, WidgetHarness::kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        // A needle primitive larger than the page: no picture is made for it.
        page.object(uint32_t(WidgetType::Meter), [&](DRIFFFile& file) {
            writeRecord(file, meterWords());
            writeRecord(file, localTag(kValueTag));
            writeWord(file, 1);
            page.element(ElementKind::SolidTriangle, 0, 0, 3000, 3000, kElementFlagVisible);
            page.element(ElementKind::UnscaledBitmap, 0, 0, 48, 48, kElementFlagVisible);
        });
        // Class words cut short: the fields keep their first values, no primitive is read.
        page.object(uint32_t(WidgetType::Meter), [&](DRIFFFile& file) {
            writeRecordPrefix(file, MeterWords{}, MeterWords::kNeedleColourOffset);
        });
        // A needle far beyond its primitive: the fill walks only the picture's pixels.
        page.object(uint32_t(WidgetType::Meter), [&](DRIFFFile& file) {
            DCompositeObject_Meter::Words words = meterWords();
            words.needle = MeterWords::triangleNeedle(0xFFFF, 0xFFFF);
            words.pivot = packHalves(INT16_MIN, INT16_MAX);
            words.needlePivot = packHalves(-1, -1);
            writeRecord(file, words);
            writeRecord(file, localTag(kValueTag));
            writeWord(file, 1);
            page.element(ElementKind::SolidTriangle, 60, 0, 108, 48, kElementFlagVisible);
            page.element(ElementKind::UnscaledBitmap, 60, 0, 108, 48, kElementFlagVisible);
        });
        // Class words that end after their first word, the frame or track image.
        for (WidgetType type : {WidgetType::ImageBar, WidgetType::ColorBar, WidgetType::Slider, WidgetType::Knob})
            page.object(uint32_t(type), [&](DRIFFFile& file) { writeWord(file, kNoResource); });
        page.backgroundColour(kBackground, WidgetHarness::kWidth, WidgetHarness::kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    ASSERT_NE(meter(), nullptr);
    EXPECT_NE(widget<DCompositeObject_Meter>(1), nullptr);
    EXPECT_EQ(widget<DCompositeObject_Meter>(1)->needle(), nullptr);
    setTag(kValueTag, 30);
    project.render();
    EXPECT_EQ(pixel(16, 24), kBackground);
    for (std::size_t number = 1; number < 7; ++number) {
        DCompositeObject* other = project.currentPage()->widgets()[number];
        ASSERT_NE(other, nullptr);
        other->onPointerDown({1, 1});
        other->onPointerMove({30, 30});
    }
}
