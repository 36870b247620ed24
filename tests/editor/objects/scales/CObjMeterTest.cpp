#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/objects/CStyles.h"
#include "editor/objects/scales/CObjMeter.h"
#include "foundation/target/TargetScaleWords.h"
#include "foundation/xml/DXMLElement.h"
#include "tests/editor/objects/scales/ScaleObjectTest.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/BuiltStyles.h"
#include "tests/support/editor/FakeTheme.h"

namespace {

using target::packHalves;
using vx::test::FakeTheme;
using vx::test::FakeThemes;
using vx::test::Join;

constexpr int32_t kMeter = 14;
constexpr uint32_t kBitmap = 3, kTriangle = 7, kRotating = 8;
constexpr gfx::Rect kPlace{100, 50, 300, 250}; // 200 square
constexpr uint32_t kTickColour = 0xFF00FFFFu;  // 16776960 (0xBBGGRR) as ARGB

// The plug-ins and the meters find the needle pictures in the built styles folder.
class CObjMeterTest : public vx::test::ScaleObjectTest {
protected:
    std::unique_ptr<CEditorObject> MakeMeter(std::u16string_view style, gfx::Rect rect = kPlace)
    {
        auto meter = Make(kMeter, rect);
        Set(*meter, u"Style name", style);
        return meter;
    }
    static CObjMeter& AsMeter(std::unique_ptr<CEditorObject>& object) { return static_cast<CObjMeter&>(*object); }
    std::u16string Lines() const
    {
        std::u16string all;
        for (const std::u16string& line : harness.Lines())
            all += line;
        return all;
    }
    static std::vector<uint32_t> Header() { return {0, 0, 14, 0, kNoNeighbour, kNoNeighbour, kNoNeighbour, kNoNeighbour}; }
    // Range 0..100, alarms 10 and 90, scaling 1, 1, 0, no tag, step 1.
    static std::vector<uint32_t> DefaultScale() { return {0, 100, 10, 90, 1, 1, 0, kNoTag, kNoTag, 1}; }

    const vx::test::StylesFolder styles{vx::test::builtStylesFolder()};
    FakeThemes themes;
};

TEST_F(CObjMeterTest, AShapeNeedleCompilesItsTriangleAndColour)
{
    FakeTheme& aqua = themes.Add(u"Aqua");
    aqua.color = 0x123456; // red 0x56, green 0x34, blue 0x12
    aqua.settings[{u"meter", u"Needle base size"}] = u"20";
    aqua.settings[{u"meter", u"Needle offset"}] = u"10";
    auto meter = MakeMeter(u"Aqua");
    Set(*meter, u"Needle type", u"Shape");
    Set(*meter, u"Needle transparency", u"55");
    const std::vector<uint32_t> words = CompileWords(*meter);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(harness.resources.Entries().size(), 1u) << "the dial alone";
    const uint32_t dial = harness.resources.Entries()[0];
    // Length 200 × 80 / 200 = 80, base 20 % of it 16, offset 10 % 8; the square 160 wide, inset 20.
    const std::vector<uint32_t> expected =
        Join({Header(), {dial, 16 | (80 + 8) << 16, 0xC8563412u, 1, packHalves(60, 300), packHalves(80, 80),
                         packHalves(8, 80)},
              DefaultScale(), Element(kTriangle, {120, 70, 280, 230}, kFirstElementFlags), Element(kBitmap, kPlace, 8)});
    EXPECT_EQ(words, expected);
}

TEST_F(CObjMeterTest, AStyleWithoutSettingsTakesBase30AndOffset15Percent)
{
    themes.Add(u"Aqua");
    auto meter = MakeMeter(u"Aqua");
    Set(*meter, u"Needle type", u"Shape");
    const std::vector<uint32_t> words = CompileWords(*meter);
    EXPECT_EQ(words[9], 24u | (80u + 12u) << 16);
}

TEST_F(CObjMeterTest, AnImageNeedleCompilesThePictureAndItsPivot)
{
    FakeTheme& alloy = themes.Add(u"Alloy"); // finds the built Alloy-needle.png, 20 × 80
    alloy.settings[{u"meter", u"Needle offset Y"}] = u"-26";
    auto meter = MakeMeter(u"Alloy");
    Set(*meter, u"Direction", u"Counterclockwise");
    const std::vector<uint32_t> words = CompileWords(*meter);
    const auto entries = harness.resources.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_NE(entries[1], 0u);
    MeterNeedleSettings needle;
    needle.size = 80;
    needle.pivot = {0, -26};
    const NeedlePicture fitted = CMeterGeometry({0, 0, 200, 200}, needle).FitNeedlePicture(20, 80);
    EXPECT_EQ(AsMeter(meter).FittedNeedle(), fitted);
    const std::vector<uint32_t> expected =
        Join({Header(), {entries[0], entries[1], 0, 2, packHalves(60, 300), packHalves(80, 80),
                         packHalves(fitted.pivot.x, fitted.pivot.y)},
              DefaultScale(), Element(kRotating, {120, 70, 280, 230}, kFirstElementFlags), Element(kBitmap, kPlace, 8)});
    EXPECT_EQ(words, expected);
    EXPECT_EQ(harness.resources.Cursor(), entries.size());
}

TEST_F(CObjMeterTest, AMissingNeedlePicturePutsThePivotAtZero)
{
    FakeTheme& aqua = themes.Add(u"Aqua"); // no "Aqua-needle.png"
    aqua.settings[{u"meter", u"Needle offset X"}] = u"7";
    aqua.settings[{u"meter", u"Needle offset Y"}] = u"-26";
    auto meter = MakeMeter(u"Aqua");
    const NeedlePicture needle = AsMeter(meter).FittedNeedle();
    EXPECT_EQ(needle.pivot, (gfx::Point{0, 0}));
    EXPECT_EQ(needle.rect, (gfx::Rect{20, 20, 180, 180}));
    const std::vector<uint32_t> words = CompileWords(*meter);
    EXPECT_EQ(words[14], 0u) << "pivot word";
}

TEST_F(CObjMeterTest, AStepBelowOneAndAnEmptyRangeAreMadeUsableWithWarnings)
{
    themes.Add(u"Aqua");
    auto meter = MakeMeter(u"Aqua");
    Set(*meter, u"Discrete value step", u"0");
    Set(*meter, u"Minimum value", u"7");
    Set(*meter, u"Maximum value", u"7");
    const std::vector<uint32_t> words = CompileWords(*meter);
    EXPECT_EQ(words[15], 7u);
    EXPECT_EQ(words[16], 8u);
    EXPECT_EQ(words[24], 1u) << "step";
    EXPECT_NE(Lines().find(u"(Maximum value 8)"), std::u16string::npos);
    EXPECT_NE(Lines().find(u"(Discrete value step 1)"), std::u16string::npos);
}

TEST_F(CObjMeterTest, ThePreviewNeedleTurnsTheWayTheTicksAndTheEngineDo)
{
    themes.Add(u"Aqua");
    struct Case {
        const char* start;
        const char* end;
        const char16_t* direction;
        double angle; // of the value 0 in -100 .. 100: the middle of the arc
    };
    const Case cases[] = {
        {"60", "300", u"Clockwise", 180},
        {"300", "60", u"Clockwise", 0},   // the short way through straight down
        {"60", "300", u"Counterclockwise", 360},
        {"300", "60", u"Counterclockwise", 180},
        {"90", "90", u"Clockwise", -90},  // a full turn
    };
    for (const Case& c : cases) {
        auto meter = MakeMeter(u"Aqua");
        Set(*meter, u"Start angle [degrees]", std::u16string(c.start, c.start + std::strlen(c.start)));
        Set(*meter, u"End angle [degrees]", std::u16string(c.end, c.end + std::strlen(c.end)));
        Set(*meter, u"Direction", c.direction);
        Set(*meter, u"Minimum value", u"-100");
        EXPECT_DOUBLE_EQ(AsMeter(meter).PreviewAngle(), c.angle) << c.start << " " << c.end;
    }
    auto plain = MakeMeter(u"Aqua");
    EXPECT_DOUBLE_EQ(AsMeter(plain).PreviewAngle(), 60) << "0 is the minimum";
    Set(*plain, u"Minimum value", u"5");
    Set(*plain, u"Maximum value", u"5");
    EXPECT_DOUBLE_EQ(AsMeter(plain).PreviewAngle(), 60) << "no range: the start";
}

TEST_F(CObjMeterTest, TicksStandAtBothEndsOfTheDialAndTheMiddleStraightUp)
{
    themes.Add(u"Aqua").frame = 0; // a clear dial, so only the ticks show
    auto meter = MakeMeter(u"Aqua", {0, 0, 200, 200});
    const CObjectPicture dial = AsMeter(meter).RenderDial(PictureAlpha::Premultiplied);
    ASSERT_TRUE(dial.IsValid());
    // r = 100, S = 96, V = 10: labels 86 .. 96, short (inner) ticks 86 .. 91.
    const gfx::Point start = CRadialTickDrawer::PointAt({100, 100}, 91, 60);
    const gfx::Point end = CRadialTickDrawer::PointAt({100, 100}, 91, 300);
    EXPECT_GT(dial.Surface().pixel(start.x, start.y) >> 24, 128u);
    EXPECT_GT(dial.Surface().pixel(end.x, end.y) >> 24, 128u);
    EXPECT_EQ(dial.Surface().pixel(100, 100 - 88), kTickColour) << "50 stands at 180°, straight up";
    EXPECT_EQ(dial.Surface().pixel(100, 100 - 94), 0u) << "a short tick keeps to the inner half";
    EXPECT_EQ(dial.Surface().pixel(100, 100 + 88), 0u) << "nothing in the gap below";

    // A label distance of 0 is a label step of 1: every tick runs full length.
    Set(*meter, u"Label distance [ticks]", u"0");
    const CObjectPicture labels = AsMeter(meter).RenderDial(PictureAlpha::Premultiplied);
    EXPECT_EQ(labels.Surface().pixel(100, 100 - 94), kTickColour);
}

TEST_F(CObjMeterTest, XmlKeepsTheStylePropertiesAndPlaceWithoutAFont)
{
    themes.Add(u"Aqua");
    themes.Add(u"Dune");
    auto meter = MakeMeter(u"Dune");
    Set(*meter, u"Needle type", u"Shape");
    Set(*meter, u"End angle [degrees]", u"280");
    DXMLElement root(u"page");
    meter->WriteXml(root);
    const DXMLElement* object = root.getChild(u"object");
    ASSERT_NE(object, nullptr);
    ASSERT_NE(object->getChild(u"style"), nullptr);
    EXPECT_EQ(object->getChild(u"style")->getText(), u"Dune");
    EXPECT_EQ(object->getChild(u"fontFamily"), nullptr);
    EXPECT_EQ(object->getChild(u"type")->getText(), u"meter");

    auto read = Make(kMeter, {0, 0, 10, 10});
    ASSERT_TRUE(read->ReadXml(*object));
    EXPECT_EQ(read->GetStyleName(), u"Dune");
    EXPECT_EQ(read->FindAnyProperty(u"Needle type")->GetListValue(), u"Shape");
    EXPECT_EQ(read->FindAnyProperty(u"End angle [degrees]")->GetValueText(), u"280");
    EXPECT_EQ(read->GetRect().left, kPlace.left);
    EXPECT_EQ(read->GetRect().bottom, kPlace.bottom);

    // A style no theme answers is kept by name.
    DXMLElement other(u"page");
    MakeMeter(u"Nowhere")->WriteXml(other);
    auto unknown = Make(kMeter, {0, 0, 10, 10});
    ASSERT_TRUE(unknown->ReadXml(*other.getChild(u"object")));
    EXPECT_EQ(unknown->GetStyleName(), u"Nowhere");
}

// Each of the four themes draws the dial and the needle picture.
TEST_F(CObjMeterTest, EveryRealThemeDrawsTheDialTicksAndNeedle)
{
    const vx::test::BuiltStyles real;
    ASSERT_EQ(real.Count(), 4);
    for (const std::u16string name : {u"Alloy", u"Dune", u"Lacquer", u"Timber"}) {
        auto meter = MakeMeter(name, {0, 0, 200, 200});
        const CObjectPicture dial = AsMeter(meter).RenderDial(PictureAlpha::Premultiplied);
        ASSERT_TRUE(dial.IsValid());
        EXPECT_EQ(dial.Surface().pixel(100, 150) >> 24, 255u) << "the theme's dial";
        EXPECT_EQ(dial.Surface().pixel(100, 100 - 88), kTickColour) << "a tick over it";
        EXPECT_EQ(dial.Surface().pixel(1, 1), 0u) << "outside the ellipse";
        const CObjectPicture needle = AsMeter(meter).RenderNeedlePicture(PictureAlpha::Premultiplied);
        ASSERT_TRUE(needle.IsValid());
        const gfx::Point pivot = AsMeter(meter).FittedNeedle().pivot;
        EXPECT_GT(needle.Surface().pixel(pivot.x, pivot.y) >> 24, 0u) << "the needle at its pivot";
        const gfx::Surface preview = meter->RenderPreview();
        ASSERT_TRUE(preview.isValid());
        EXPECT_EQ(preview.width(), 200);
        const std::vector<uint32_t> words = CompileWords(*meter);
        EXPECT_EQ(status, 0);
        ASSERT_EQ(harness.resources.Entries().size(), 2u);
        EXPECT_NE(harness.resources.Entries()[1], 0u);
    }
    CThemeProvider::Set(&themes);
}

} // namespace
