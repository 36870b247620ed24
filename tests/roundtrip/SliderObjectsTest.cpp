// Sliders, knobs and graphs as the editor compiles them, loaded and worked by the engine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iostream>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/sliders/CObjSlider.h"
#include "editor/objects/sliders/CObjTrend.h"
#include "engine/primitives/DBaseObject_Graph.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/widgets/DCompositeObject_Knob.h"
#include "engine/widgets/DCompositeObject_Slider.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "foundation/target/TargetSliderWords.h"
#include "tests/editor/objects/sliders/SliderTestThemes.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;

// Header, then the slider's and knob's words: the value tag follows the scaling.
constexpr std::size_t kHeaderWords = 8;
constexpr std::size_t kSliderTagWord = kHeaderWords + target::SliderWords::kSize / 4;

class SliderRoundTrip : public vx::test::BuiltStylesTest {
protected:
    void SetUp() override
    {
        BuiltStylesTest::SetUp();
        UseRealThemes();
        roundTrip.compiler().AddTag(u"level", u"integer", 4, u"16");
        roundTrip.compiler().AddTag(u"angle", u"integer", 4, u"32");
        roundTrip.compiler().AddTag(u"trace", u"integer", 4, u"48");
        slider = Make(CObjSlider::kSliderType, {20, 20, 220, 60}, u"Alloy", u"level");
        knob = Make(CObjSlider::kKnobType, {230, 20, 310, 100}, u"Dune", u"angle");
        graph = Make(15, {20, 110, 300, 230}, u"Timber", u"trace");
        Set(*knob, u"Behavior", u"Discrete value step", CPropertyValue(int32_t(5)));
        for (CEditorObject* object : {slider.get(), knob.get(), graph.get()})
            roundTrip.Add(*object);
    }

    std::unique_ptr<CEditorObject> Make(int32_t type, gfx::Rect rect, std::u16string_view style, std::u16string_view tag)
    {
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(type, &page);
        object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        object->OnStyleChanged(style);
        Set(*object, u"Data", u"Value tag", CPropertyValue(tag));
        return object;
    }
    static void Set(CEditorObject& object, std::u16string_view category, std::u16string_view caption, CPropertyValue value)
    {
        CPropertyBase* property = object.FindProperty(category, caption);
        ASSERT_NE(property, nullptr);
        property->SetValue(std::move(value));
    }
    // The value tag as the object's record names it.
    target::TagReference TagOf(std::size_t listPosition, std::size_t word = kSliderTagWord)
    {
        const std::vector<uint8_t>& record = roundTrip.RecordOf(listPosition);
        target::TagReference tag;
        EXPECT_GE(record.size(), (word + 2) * 4);
        if (record.size() >= (word + 2) * 4) {
            std::memcpy(&tag.low, record.data() + word * 4, 4);
            std::memcpy(&tag.high, record.data() + word * 4 + 4, 4);
        }
        return tag;
    }

    CSelectable page{kPageObjectType};
    ObjectRoundTrip roundTrip;
    std::unique_ptr<CEditorObject> slider, knob, graph;
};

TEST_F(SliderRoundTrip, EachRecordMakesItsWidgetWithTheValuesCompiled)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    EXPECT_TRUE(roundTrip.compiler().Lines().empty());
    const uint32_t types[] = {18, 19, 15};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(roundTrip.TypeOf(i), types[i]);
        EXPECT_EQ(roundTrip.LoadStatus(i), std::optional<int>(0)) << i;
    }

    auto* track = roundTrip.WidgetAs<DCompositeObject_Slider>(0);
    ASSERT_NE(track, nullptr);
    // The style's 64 by 64 thumb at 60 % of 40 pixels is 24 long: the theme's "Channel offset" is the margin.
    const int32_t margin = slider->FindProperty(u"Appearance", u"Channel offset")->GetInt();
    EXPECT_EQ(track->travel(), 200 - 2 * margin);
    EXPECT_EQ(track->scale().maximum, 100);
    EXPECT_EQ(track->thumb()->bounds().width(), 24);

    auto* dial = roundTrip.WidgetAs<DCompositeObject_Knob>(1);
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->scale().step, 5u);

    auto* trend = roundTrip.WidgetAs<DCompositeObject_Trend>(2);
    ASSERT_NE(trend, nullptr);
    EXPECT_EQ(trend->samplePeriod(), 500u);   // 2 samples a second
    // The plot element is the graph's plot area on the page.
    const TrendLayout layout = static_cast<CObjTrend&>(*graph).GetLayout({20, 110, 300, 230});
    const DRect plot = trend->graph()->bounds();
    EXPECT_EQ(plot, (DRect{layout.plot.left, layout.plot.top, layout.plot.right - 1, layout.plot.bottom - 1}));
}

TEST_F(SliderRoundTrip, PressAndDragOnTheSliderWriteTheValue)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    auto& engine = roundTrip.engine();
    const target::TagReference level = TagOf(0);
    ASSERT_FALSE(level.isNone());
    auto* track = roundTrip.WidgetAs<DCompositeObject_Slider>(0);
    ASSERT_NE(track, nullptr);
    const int32_t margin = slider->FindProperty(u"Appearance", u"Channel offset")->GetInt();
    const int32_t start = 20 + margin, travel = int32_t(track->travel());
    engine.project.onPointerDown({start + travel / 2, 40});
    engine.frame();
    EXPECT_EQ(engine.number(level), 50);
    engine.project.onPointerMove({start + travel + 40, 40});   // past the end: the maximum
    engine.frame();
    EXPECT_EQ(engine.number(level), 100);
    engine.project.onPointerMove({start + travel / 4, 40});
    engine.frame();
    EXPECT_EQ(engine.number(level), 25);
    engine.project.onPointerUp({start + travel / 4, 40});
    engine.frame();

    // A tag change moves the thumb to the value's place.
    engine.setTag(level, 75);
    engine.frame();
    EXPECT_EQ(track->thumbOffset(), int64_t(travel) * 75 / 100);
}

TEST_F(SliderRoundTrip, PressOnTheKnobTurnsToTheAngleAndATagChangeTurnsTheThumb)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    auto& engine = roundTrip.engine();
    const target::TagReference angle = TagOf(1);
    auto* dial = roundTrip.WidgetAs<DCompositeObject_Knob>(1);
    ASSERT_NE(dial, nullptr);
    // From 60 to 300 degrees clockwise: straight above the centre lies half way.
    engine.project.onPointerDown({270, 25});
    engine.frame();
    EXPECT_EQ(engine.number(angle), 50);
    engine.project.onPointerUp({270, 25});
    engine.frame();
    // Left of the centre: 30 of 240 degrees, 12.5, rounded to the step of 5.
    engine.project.onPointerDown({235, 60});
    engine.frame();
    EXPECT_EQ(engine.number(angle), 10);
    engine.project.onPointerUp({235, 60});
    engine.frame();

    engine.setTag(angle, 100);
    engine.frame();
    EXPECT_NEAR(dial->angle(), 240.0 * M_PI / 180.0, 1e-9);
}

TEST_F(SliderRoundTrip, ATrendSamplesTheTagIntoItsPlot)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    auto& engine = roundTrip.engine();
    const target::TagReference trace = TagOf(2, kHeaderWords + target::TrendWords::kSize / 4);
    engine.setTag(trace, 100);
    engine.frames(60, 50);
    const PagePixels page = roundTrip.RenderPage();
    const TrendLayout layout = static_cast<CObjTrend&>(*graph).GetLayout({20, 110, 300, 230});
    // The maximum on the plot's first row, drawn in the signal colour near the right edge.
    const uint32_t signal = graph->FindProperty(u"Appearance", u"Signal color")->GetUInt();
    const uint32_t argb = gfx::Colour::fromColorRef(signal & 0xFFFFFF).argb;
    int found = 0;
    for (int32_t x = layout.plot.left; x < layout.plot.right; ++x)
        found += (page.at(x, layout.plot.top) & 0xFFFFFF) == (argb & 0xFFFFFF);
    EXPECT_GT(found, 3);
}

// Where the pictures a test keeps lie: "screenshots" in the folder the tests run in.
std::filesystem::path keptPicture(const std::string& name)
{
    const std::filesystem::path folder = vx::test::screenshotFolder();
    return folder / name;
}

// What the editor previews and what the engine draws of the same page.
TEST_F(SliderRoundTrip, TheEnginesPageShowsTheObjectsAsTheEditorPreviewsThem)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    const PagePixels engine = roundTrip.RenderPage();
    const PagePixels previews = roundTrip.ComposePreviews();
    ASSERT_FALSE(engine.empty());
    ASSERT_EQ(previews.width, engine.width);

    // Slider and knob show the same compiled pictures: the colours agree but for the
    // rounding of edge pixels the panel blends in two steps (track, then thumb) where
    // the preview drew the thumb onto the track. The graph's preview adds a sample
    // signal the panel does not show until samples come.
    const auto inside = [](const gfx::Rect& r, int32_t x, int32_t y) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    };
    const gfx::Rect thumbed[] = {{20, 20, 220, 60}, {230, 20, 310, 100}};
    const gfx::Rect plotted{20, 110, 300, 230};
    std::size_t rounded = 0, signal = 0;
    for (int32_t y = 0; y < engine.height; ++y)
        for (int32_t x = 0; x < engine.width; ++x) {
            const uint32_t e = engine.at(x, y), p = previews.at(x, y);
            if ((e & 0xFFFFFF) == (p & 0xFFFFFF))
                continue;
            int largest = 0;
            for (int shift = 0; shift < 24; shift += 8)
                largest = std::max(largest, std::abs(int(e >> shift & 0xFF) - int(p >> shift & 0xFF)));
            if (inside(thumbed[0], x, y) || inside(thumbed[1], x, y)) {
                EXPECT_LE(largest, 2) << x << "," << y;
                ++rounded;
            } else {
                EXPECT_TRUE(inside(plotted, x, y)) << x << "," << y;
                ++signal;
            }
        }
    std::cout << "slider objects: " << rounded << " edge pixels rounded apart, " << signal << " pixels of sample signal\n";
    EXPECT_GT(signal, 0u);

    EXPECT_TRUE(engine.WritePng(keptPicture("SliderObjects-engine.png")));
    EXPECT_TRUE(previews.WritePng(keptPicture("SliderObjects-previews.png")));
}

// Pixels of the page that differ outside a rectangle.
std::size_t differencesOutside(const PagePixels& a, const PagePixels& b, const gfx::Rect& allowed)
{
    std::size_t count = 0;
    for (int32_t y = 0; y < a.height; ++y)
        for (int32_t x = 0; x < a.width; ++x) {
            const bool inside = x >= allowed.left && x < allowed.right && y >= allowed.top && y < allowed.bottom;
            count += !inside && (a.at(x, y) & 0xFFFFFF) != (b.at(x, y) & 0xFFFFFF);
        }
    return count;
}

TEST_F(SliderRoundTrip, ScreenshotUnderXvfbMatchesTheEnginesPicture)
{
    const std::vector<uint8_t>& file = roundTrip.Compile();
    ASSERT_EQ(roundTrip.Load(), 0);
    const PagePixels expected = roundTrip.RenderPage();
    // The engine program samples the trend as its clock runs: its plot area fills with the
    // signal while the rest of the page stays as the first frame drew it.
    const gfx::Rect plot = static_cast<CObjTrend&>(*graph).GetLayout({20, 110, 300, 230}).plot;
    vx::test::TempDir dir;
    const PagePixels shot = vx::test::ScreenshotPage(file, dir.path(), [&](const PagePixels& page) {
        return differencesOutside(page, expected, plot) == 0;
    });
    ASSERT_FALSE(shot.empty());
    EXPECT_TRUE(shot.WritePng(keptPicture("SliderObjects-screen.png")));
    EXPECT_EQ(differencesOutside(shot, expected, plot), 0u);
}

} // namespace
