// Buttons, indicator buttons and lamps as the editor compiles them, loaded by the engine:
// the widgets, their load status, and what a press or a tag change shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CStyles.h"
#include "editor/objects/buttons/CObjButton.h"
#include "editor/objects/buttons/CObjLight.h"
#include "editor/project/compile/CCompileStartup.h"
#include "engine/widgets/DCompositeObject_Button.h"
#include "engine/widgets/DCompositeObject_IndicatorButton.h"
#include "engine/widgets/DCompositeObject_IndicatorLight.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/BuiltStyles.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;

// The real themes from the built styles folder, and the test fonts.
class ButtonRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_startup = std::make_unique<CCompileStartup>(m_folder);
        ASSERT_EQ(CStyles::Get().GetCount(), 4);
    }
    void TearDown() override { m_startup.reset(); }

    std::unique_ptr<CEditorObject> Make(int32_t type, std::u16string_view style, gfx::Rect rect)
    {
        auto object = CEditorObject::CreateObject(type, &m_page);
        object->OnStyleChanged(style);
        object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        object->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
        return object;
    }
    static void Set(CEditorObject& object, std::u16string_view category, std::u16string_view caption,
                    CPropertyValue value)
    {
        object.FindProperty(category, caption)->SetValue(std::move(value));
    }

    // The three kinds on one page: a toggle button, an indicator button and a lamp.
    void BuildPage(ObjectRoundTrip& roundTrip)
    {
        vx::test::ObjectCompileHarness& compiler = roundTrip.compiler();
        compiler.AddTag(u"S", u"integer", 4, u"0");
        compiler.AddTag(u"P", u"integer", 4, u"4");
        compiler.AddTag(u"V", u"integer", 4, u"8");
        compiler.AddTag(u"L", u"integer", 4, u"12");
        button = Make(17, u"Timber", {10, 10, 110, 50});
        Set(*button, u"Behavior", u"Button type", CPropertyValue(u"Toggle"));
        Set(*button, u"Appearance", u"Text", CPropertyValue(u"Go"));
        Set(*button, u"Data", u"Button state tag", CPropertyValue(u"S"));
        indicator = Make(11, u"Alloy", {120, 10, 240, 60});
        Set(*indicator, u"Appearance", u"Text", CPropertyValue(u"Pump"));
        Set(*indicator, u"Data", u"Button state tag", CPropertyValue(u"P"));
        Set(*indicator, u"Data", u"Value tag", CPropertyValue(u"V"));
        lamp = Make(10, u"Lacquer", {250, 10, 310, 70});
        Set(*lamp, u"Appearance", u"Text", CPropertyValue(u""));
        Set(*lamp, u"Data", u"Value tag", CPropertyValue(u"L"));
        dune = Make(17, u"Dune", {10, 80, 150, 130});
        Set(*dune, u"Appearance", u"Text", CPropertyValue(u"Dune"));
        for (CEditorObject* object : {button.get(), indicator.get(), lamp.get(), dune.get()})
            roundTrip.Add(*object);
    }
    target::TagReference Tag(ObjectRoundTrip& roundTrip, std::u16string_view name)
    {
        return roundTrip.compiler().tags.Resolve(name);
    }
    // The engine's pixels of an object's rectangle, as a CRC.
    static uint32_t CrcOf(ObjectRoundTrip& roundTrip, const CEditorObject& object)
    {
        const CDiagramRect r = object.GetRect();
        return roundTrip.engine().crcOf({r.left, r.top, r.right - 1, r.bottom - 1});
    }

    std::unique_ptr<CEditorObject> button, indicator, lamp, dune;

private:
    const std::filesystem::path m_folder = vx::test::builtStylesFolder();
    const vx::test::StylesFolder m_pointed{m_folder};
    std::unique_ptr<CCompileStartup> m_startup;
    CSelectable m_page{kPageObjectType};
};

TEST_F(ButtonRoundTrip, EveryKindLoadsAsItsWidget)
{
    {
        // At 16 bits the pictures are dithered, the records the same.
        ObjectRoundTrip dithered(16);
        BuildPage(dithered);
        ASSERT_EQ(dithered.Load(), 0);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(dithered.LoadStatus(i), std::optional<int>(0)) << i;
    }

    ObjectRoundTrip roundTrip;
    BuildPage(roundTrip);
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    EXPECT_TRUE(roundTrip.compiler().output.lines.empty());
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_Button>(0), nullptr);
    EXPECT_EQ(roundTrip.WidgetAs<DCompositeObject_IndicatorButton>(0), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_IndicatorButton>(1), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_IndicatorLight>(2), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_Button>(3), nullptr);
    const uint32_t types[] = {17, 11, 10, 17};
    for (std::size_t i = 0; i < std::size(types); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(roundTrip.TypeOf(i), types[i]);
        EXPECT_EQ(roundTrip.LoadStatus(i), std::optional<int>(0));
    }
}

TEST_F(ButtonRoundTrip, APressShowsTheStatesCompiledFor)
{
    ObjectRoundTrip roundTrip;
    BuildPage(roundTrip);
    ASSERT_EQ(roundTrip.Load(), 0);
    auto& engine = roundTrip.engine();
    auto* widget = roundTrip.WidgetAs<DCompositeObject_Button>(0);
    ASSERT_NE(widget, nullptr);
    const target::TagReference s = Tag(roundTrip, u"S");
    engine.frame();
    const uint32_t released = CrcOf(roundTrip, *button);

    // A toggle: the first click presses and latches and writes 1.
    engine.project.onPointerDown({60, 30});
    engine.frame();
    EXPECT_TRUE(widget->isPressed());
    EXPECT_EQ(engine.number(s), 1);
    const uint32_t pressed = CrcOf(roundTrip, *button);
    EXPECT_NE(pressed, released);   // the theme's "-pressed" picture
    engine.project.onPointerUp({60, 30});
    engine.frame();
    EXPECT_TRUE(widget->isLatched());
    EXPECT_EQ(engine.number(s), 1);
    EXPECT_NE(CrcOf(roundTrip, *button), released);
    // The second click lets go: released again, 0 written.
    engine.project.onPointerDown({60, 30});
    engine.frame();
    engine.project.onPointerUp({60, 30});
    engine.frame();
    EXPECT_FALSE(widget->isLatched());
    EXPECT_EQ(engine.number(s), 0);
    EXPECT_EQ(CrcOf(roundTrip, *button), released);

    // The indicator button is normal: pressed while held, its state tag 1, then 0.
    const target::TagReference p = Tag(roundTrip, u"P");
    auto* second = roundTrip.WidgetAs<DCompositeObject_IndicatorButton>(1);
    ASSERT_NE(second, nullptr);
    engine.project.onPointerDown({150, 40});
    engine.frame();
    EXPECT_TRUE(second->isPressed());
    EXPECT_EQ(engine.number(p), 1);
    engine.project.onPointerUp({150, 40});
    engine.frame();
    EXPECT_FALSE(second->isPressed());
    EXPECT_EQ(engine.number(p), 0);
}

TEST_F(ButtonRoundTrip, TagChangesLightTheColoursCompiledFor)
{
    ObjectRoundTrip roundTrip;
    BuildPage(roundTrip);
    ASSERT_EQ(roundTrip.Load(), 0);
    auto& engine = roundTrip.engine();
    // The indicator's gradient centre and the lamp's glow centre.
    const gfx::Rect place = static_cast<CObjButton&>(*indicator).PlaceIndicator().translated(120, 10);
    const int32_t ix = place.left + (place.width() - 1) / 2, iy = place.top + place.height() - 1 - 6;
    const int32_t lx = 250 + 60 / 2, ly = 10 + 60 - 5;
    const auto rgb = [&](int32_t x, int32_t y) { return engine.pixel(x, y) & 0xFFFFFF; };
    engine.frame();
    // State 0 of the default colours is yellow, 1 green, 2 red.
    EXPECT_GT(rgb(ix, iy) >> 16 & 0xFF, 200u);
    EXPECT_GT(rgb(ix, iy) >> 8 & 0xFF, 200u);
    EXPECT_GT(rgb(lx, ly) >> 16 & 0xFF, 200u);
    EXPECT_GT(rgb(lx, ly) >> 8 & 0xFF, 200u);

    engine.setTag(Tag(roundTrip, u"V"), 1);
    engine.setTag(Tag(roundTrip, u"L"), 2);
    engine.frame();
    EXPECT_LT(rgb(ix, iy) >> 16 & 0xFF, 60u);
    EXPECT_GT(rgb(ix, iy) >> 8 & 0xFF, 200u);
    EXPECT_GT(rgb(lx, ly) >> 16 & 0xFF, 200u);
    EXPECT_LT(rgb(lx, ly) >> 8 & 0xFF, 60u);

    // A value past the colours shows the first again.
    engine.setTag(Tag(roundTrip, u"V"), 7);
    engine.setTag(Tag(roundTrip, u"L"), -1);
    engine.frame();
    EXPECT_GT(rgb(ix, iy) >> 16 & 0xFF, 200u);
    EXPECT_GT(rgb(lx, ly) >> 8 & 0xFF, 200u);
}

TEST_F(ButtonRoundTrip, TheEnginePageMatchesTheEditorsPreviews)
{
    ObjectRoundTrip roundTrip;
    BuildPage(roundTrip);
    ASSERT_EQ(roundTrip.Load(), 0);
    const PagePixels engine = roundTrip.RenderPage();
    const PagePixels previews = roundTrip.ComposePreviews();
    vx::test::TempDir folder;
    ASSERT_TRUE(engine.WritePng(folder / "engine.png"));
    const PagePixels screen = vx::test::ScreenshotPage(roundTrip.Compile(), folder.path(), [&](const PagePixels& shown) {
        return shown.CountDifferences(engine) == 0;
    });
    ASSERT_FALSE(screen.empty());
    // The engine program shows what the headless engine draws.
    EXPECT_EQ(screen.CountDifferences(engine), 0u);
    if (const char* keep = std::getenv("VX_KEEP_SCREENSHOTS")) {
        screen.WritePng(std::filesystem::path(keep) / "buttons-engine.png");
        previews.WritePng(std::filesystem::path(keep) / "buttons-previews.png");
    }
    // Where a picture is translucent the engine blends each
    // compiled picture over the one below, the preview was drawn as one picture and then
    // laid over the background: rounding leaves at most 2 levels between them. On the
    // indicator the order differs too (the preview draws its outline over the fill, the
    // panel the fill over the body's outline): at most a few levels more.
    const gfx::Rect rim = static_cast<CObjButton&>(*indicator).PlaceIndicator().translated(120, 10);
    const auto level = [](uint32_t a, uint32_t b) {
        uint32_t most = 0;
        for (int shift = 0; shift < 24; shift += 8)
            most = std::max<uint32_t>(most, uint32_t(std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF))));
        return most;
    };
    uint32_t outside = 0, inside = 0;
    for (int32_t y = 0; y < engine.height; ++y)
        for (int32_t x = 0; x < engine.width; ++x) {
            const uint32_t difference = level(engine.at(x, y), previews.at(x, y));
            const bool onIndicator = x >= rim.left && x < rim.right && y >= rim.top && y < rim.bottom;
            (onIndicator ? inside : outside) = std::max(onIndicator ? inside : outside, difference);
        }
    EXPECT_LE(outside, 2u);
    EXPECT_LE(inside, 8u);
    // The page's opaque middle of each frame is the same pixel on both sides.
    for (const auto& [x, y] : {std::pair{30, 20}, {130, 50}, {30, 120}})
        EXPECT_EQ(engine.at(x, y) & 0xFFFFFF, previews.at(x, y) & 0xFFFFFF) << x << "," << y;
}

} // namespace
