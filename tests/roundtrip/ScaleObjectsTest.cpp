// Bar graphs and meters as the editor compiles them, loaded by the engine: the widgets
// they make, what a tag change does to them, and the page as the engine shows it against
// the editor's previews.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CStyles.h"
#include "editor/objects/scales/CObjMeter.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject_Bargraph.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/BuiltStyles.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;

constexpr int32_t kImageBar = 12, kColorBar = 13, kMeter = 14;

std::u16string wide(const std::string& text)
{
    return {text.begin(), text.end()};
}

// Pixels whose colour differs between the page shown and the previews, within r.
std::size_t differences(const PagePixels& shown, const PagePixels& previews, gfx::Rect r)
{
    std::size_t count = 0;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            count += (shown.at(x, y) & 0xFFFFFF) != (previews.at(x, y) & 0xFFFFFF);
    return count;
}

// Full bars show the same compiled pictures pixel for pixel (inner ticks lie in the body
// and again in the ticks picture under it, on the panel as in the preview). The dials
// are the same pictures; the needles are turned by the engine's own drawing there and
// by cairo here, so their edges differ.
void expectPageAsPreviewed(const PagePixels& shown, const PagePixels& previews)
{
    EXPECT_EQ(differences(shown, previews, {10, 10, 40, 110}), 0u) << "uniform colour bar, outer ticks";
    EXPECT_EQ(differences(shown, previews, {50, 10, 80, 110}), 0u) << "image bar, inner ticks";
    EXPECT_EQ(differences(shown, previews, {90, 10, 230, 40}), 0u) << "gradient bar, dual ticks";
    for (const gfx::Rect dial : {gfx::Rect{10, 120, 110, 220}, gfx::Rect{120, 120, 220, 220}, gfx::Rect{230, 120, 310, 200}})
        EXPECT_LT(differences(shown, previews, dial), std::size_t(dial.width() * dial.height() / 10)) << dial.left;
}

// The page's objects, with the four themes bound from the built styles folder.
class ScaleObjects : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(themes.Count(), 4); }
    CEditorObject& Make(int32_t type, gfx::Rect rect)
    {
        objects.push_back(CEditorObject::CreateObject(type, &page));
        objects.back()->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        return *objects.back();
    }
    static void Set(CEditorObject& object, std::u16string_view caption, std::u16string_view value)
    {
        CPropertyBase* property = object.FindAnyProperty(caption);
        ASSERT_NE(property, nullptr);
        property->SetValue(CPropertyValue(value));
    }
    // One of each kind: a uniform colour bar, an image bar, a gradient bar, a triangle
    // needle, and picture needles turning either way; their ranges end at 0, so the tag
    // memory's first value shows full bars and needles at their start.
    void MakePage()
    {
        CEditorObject& uniform = Make(kColorBar, {10, 10, 40, 110});
        Set(uniform, u"Gradient colors", u"ff\u0001ff\u0001");
        Set(uniform, u"Tick placement", u"Outer");
        CEditorObject& image = Make(kImageBar, {50, 10, 80, 110});
        Set(image, u"Bar fill image", wide(vx::test::programPath("placeholders/colorbar.jpg").string()));
        CEditorObject& gradient = Make(kColorBar, {90, 10, 230, 40});
        Set(gradient, u"Propagation from", u"Left");
        Set(gradient, u"Tick alignment", u"Dual");
        for (CEditorObject* bar : {&uniform, &image, &gradient}) {
            Set(*bar, u"Minimum value", u"-100");
            Set(*bar, u"Maximum value", u"0");
            Set(*bar, u"Value tag", u"level");
        }
        CEditorObject& triangle = Make(kMeter, {10, 120, 110, 220});
        Set(triangle, u"Style name", u"Dune");
        Set(triangle, u"Needle type", u"Shape");
        CEditorObject& needle = Make(kMeter, {120, 120, 220, 220});
        Set(needle, u"Style name", u"Alloy");
        CEditorObject& backwards = Make(kMeter, {230, 120, 310, 200});
        Set(backwards, u"Style name", u"Timber");
        Set(backwards, u"Start angle [degrees]", u"300");
        Set(backwards, u"End angle [degrees]", u"60");
        Set(backwards, u"Direction", u"Counterclockwise");
        for (CEditorObject* meter : {&triangle, &needle, &backwards})
            Set(*meter, u"Value tag", u"level");
        for (auto& object : objects)
            roundTrip.Add(*object);
        roundTrip.compiler().AddTag(u"level", u"integer", 4, u"10");
    }
    target::TagReference Level() { return roundTrip.compiler().tags.Resolve(u"level"); }

    const vx::test::BuiltStyles themes;
    CSelectable page{kPageObjectType};
    std::vector<std::unique_ptr<CEditorObject>> objects;
    ObjectRoundTrip roundTrip;
};

TEST_F(ScaleObjects, EveryRecordMakesItsWidgetAndLoadsCleanly)
{
    MakePage();
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    const uint32_t types[] = {13, 12, 12, 14, 14, 14};
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(roundTrip.TypeOf(i), types[i]);
        EXPECT_EQ(roundTrip.LoadStatus(i), std::optional<int>(0));
        if (i < 3)
            EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_Bargraph>(i), nullptr);
        else
            EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_Meter>(i), nullptr);
    }
    EXPECT_TRUE(roundTrip.compiler().Lines().empty());
}

TEST_F(ScaleObjects, ATagChangeFillsTheBarsAndTurnsTheNeedlesAsCompiled)
{
    MakePage();
    ASSERT_EQ(roundTrip.Load(), 0);
    roundTrip.engine().setTag(Level(), -50); // the middle of -100 .. 0
    roundTrip.engine().frame();
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        auto* bar = roundTrip.WidgetAs<DCompositeObject_Bargraph>(i);
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(bar->bar(), nullptr);
        const DRect bounds = bar->bar()->bounds(), shown = bar->bar()->visibleRect();
        const bool across = i == 2;
        const int32_t full = across ? bounds.width() : bounds.height();
        const int32_t filled = across ? shown.width() : shown.height();
        EXPECT_NEAR(filled, full / 2, 1);
        if (across)
            EXPECT_EQ(shown.left, bounds.left) << "grows from the left";
        else
            EXPECT_EQ(shown.bottom, bounds.bottom) << "grows from the bottom";
    }
    // The meters' ranges are 0 .. 100: their needles rest at the start, then turn by the
    // arc the ticks were drawn on.
    roundTrip.engine().setTag(Level(), 25);
    roundTrip.engine().frame();
    for (std::size_t i = 3; i < 6; ++i) {
        SCOPED_TRACE(i);
        auto* meter = roundTrip.WidgetAs<DCompositeObject_Meter>(i);
        ASSERT_NE(meter, nullptr);
        const RadialArc arc = static_cast<CObjMeter&>(*objects[i]).Arc();
        const double sweep = std::abs(arc.span) * std::numbers::pi / 180;
        EXPECT_NEAR(meter->sweep(), sweep, 1e-9);
        EXPECT_NEAR(meter->needleAngle(), sweep / 4, 1e-9);
        // The tick of 25 and the needle point the same way.
        const double tick = CRadialTickDrawer::AngleOf(arc, 25, 100);
        const double needle = (arc.span > 0 ? 1 : -1) * meter->needleAngle() * 180 / std::numbers::pi + arc.start;
        EXPECT_NEAR(std::remainder(needle - tick, 360.0), 0.0, 1.0);
    }
}

TEST_F(ScaleObjects, TheEnginesPageShowsWhatTheEditorPreviews)
{
    MakePage();
    ASSERT_EQ(roundTrip.Load(), 0);
    roundTrip.engine().setTag(Level(), 0);
    const PagePixels engine = roundTrip.RenderPage();
    const PagePixels previews = roundTrip.ComposePreviews();
    ASSERT_FALSE(engine.empty());
    ASSERT_FALSE(previews.empty());
    const std::filesystem::path kept = vx::test::screenshotFolder();
    EXPECT_TRUE(engine.WritePng(kept / "scale-objects-engine.png"));
    EXPECT_TRUE(previews.WritePng(kept / "scale-objects-previews.png"));

    expectPageAsPreviewed(engine, previews);
}

// The engine program under Xvfb shows the page as the editor previews it.
TEST_F(ScaleObjects, TheEngineProgramShowsThePageAsPreviewed)
{
    MakePage();
    const std::vector<uint8_t>& file = roundTrip.Compile();
    const PagePixels previews = roundTrip.ComposePreviews();
    vx::test::TempDir dir;
    // Ready once the bars stand full and the triangle needle is drawn (halfway along it).
    const auto same = [&](const PagePixels& page, int32_t x, int32_t y) {
        return (page.at(x, y) & 0xFFFFFF) == (previews.at(x, y) & 0xFFFFFF);
    };
    const PagePixels shot = vx::test::ScreenshotPage(file, dir.path(), [&](const PagePixels& page) {
        return same(page, 25, 105) && same(page, 25, 15) && same(page, 43, 180);
    });
    ASSERT_FALSE(shot.empty()) << "the page never showed";
    const std::filesystem::path kept = vx::test::screenshotFolder();
    EXPECT_TRUE(shot.WritePng(kept / "scale-objects-screen.png"));
    expectPageAsPreviewed(shot, previews);
}

} // namespace
