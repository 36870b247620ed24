#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/sliders/CObjTrend.h"
#include "platform/gfx/Colour.h"
#include "tests/editor/objects/sliders/SliderTestThemes.h"
#include "tests/support/editor/FakeTheme.h"

namespace {

using vx::test::FakeThemes;

constexpr uint32_t kFill = 0x123456;   // the fake theme's colour, 0xBBGGRR
constexpr uint32_t kGrid = 10066176;    // the default "Grid color"

uint32_t premultiplied(uint32_t bbggrr, uint8_t alpha = 255)
{
    return gfx::Colour::fromColorRef(bbggrr, alpha).premultiplied();
}

class GraphObject : public ::testing::Test {
protected:
    CObjTrend& Make(gfx::Rect rect, std::u16string_view style = u"Plain")
    {
        m_object = CEditorObject::CreateObject(15, &page);
        m_object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        m_object->GetFormat().FindProperty(u"Style", u"Style name")->SetValue(CPropertyValue(style));
        // A plain plot: no border, no ticks, full grid lines.
        Set(u"Appearance", u"Border width", CPropertyValue(int32_t(0)));
        Set(u"Ticks & Labels", u"Show ticks", CPropertyValue(u"Hide"));
        Set(u"Ticks & Labels", u"Tick alignment", CPropertyValue(u"Center"));
        Set(u"Grids", u"Grid style", CPropertyValue(u"Full line"));
        return static_cast<CObjTrend&>(*m_object);
    }
    void Set(std::u16string_view category, std::u16string_view caption, CPropertyValue value)
    {
        CPropertyBase* property = m_object->FindProperty(category, caption);
        ASSERT_NE(property, nullptr);
        property->SetValue(std::move(value));
    }

    FakeThemes themes;
    CSelectable page{kPageObjectType};

private:
    std::unique_ptr<CEditorObject> m_object;
};

TEST_F(GraphObject, VerticalGridLinesFromThePlotsLastColumnEverySixtyPixels)
{
    themes.Add(u"Plain").frame = 0;
    CObjTrend& graph = Make({0, 0, 200, 100});
    Set(u"Grids", u"Show horizontal grids", CPropertyValue(u"Hide"));
    const gfx::Surface picture = graph.RenderBackground();
    // 2 samples a second, 3 pixels apart, a line every 10 seconds.
    for (const int32_t x : {199, 139, 79, 19}) {
        EXPECT_EQ(picture.pixel(x, 0), premultiplied(kGrid)) << x;
        EXPECT_EQ(picture.pixel(x, 99), premultiplied(kGrid)) << x;
        EXPECT_EQ(picture.pixel(x - 1, 50), premultiplied(kFill)) << x;
    }
}

TEST_F(GraphObject, HiddenTicksStillGiveGridLinesAtTheLabels)
{
    themes.Add(u"Plain").frame = 0;
    CObjTrend& graph = Make({0, 0, 200, 100});
    Set(u"Grids", u"Show vertical grids", CPropertyValue(u"Hide"));
    const gfx::Surface picture = graph.RenderBackground();
    // Labels every 20 of 100 over 99 rows up from the last: rows 99, 80, 60, 40, 20, 0.
    for (const int32_t y : {99, 80, 60, 40, 20, 0})
        EXPECT_EQ(picture.pixel(50, y), premultiplied(kGrid)) << y;
    EXPECT_EQ(picture.pixel(50, 90), premultiplied(kFill));   // 10 is no label
    Set(u"Grids", u"Show horizontal grids", CPropertyValue(u"Show with ticks"));
    EXPECT_EQ(graph.RenderBackground().pixel(50, 90), premultiplied(kGrid));
}

TEST_F(GraphObject, APlotNineWideHasNoHorizontalGrid)
{
    themes.Add(u"Plain").frame = 0;
    CObjTrend& graph = Make({0, 0, 9, 100});
    Set(u"Grids", u"Show vertical grids", CPropertyValue(u"Hide"));
    const gfx::Surface picture = graph.RenderBackground();
    EXPECT_EQ(picture.pixel(4, 99), premultiplied(kFill));
    EXPECT_EQ(picture.pixel(4, 0), premultiplied(kFill));
}

TEST_F(GraphObject, AnUnknownStyleFillsThePlotBlack)
{
    CObjTrend& graph = Make({0, 0, 60, 40}, u"Nowhere");
    Set(u"Appearance", u"Transparency", CPropertyValue(int32_t(55)));
    Set(u"Grids", u"Show vertical grids", CPropertyValue(u"Hide"));
    Set(u"Grids", u"Show horizontal grids", CPropertyValue(u"Hide"));
    EXPECT_EQ(graph.RenderBackground().pixel(30, 20), premultiplied(0, 200));
}

TEST_F(GraphObject, DottedVerticalLinesUseTheHatch)
{
    themes.Add(u"Plain").frame = 0;
    CObjTrend& graph = Make({0, 0, 200, 100});
    Set(u"Grids", u"Show horizontal grids", CPropertyValue(u"Hide"));
    Set(u"Grids", u"Grid style", CPropertyValue(u"Dotted line"));
    const gfx::Surface picture = graph.RenderBackground();
    bool light = false, grid = false;
    for (int32_t y = 0; y < 8; ++y) {
        light = light || picture.pixel(199, y) != premultiplied(kGrid);
        grid = grid || picture.pixel(199, y) == premultiplied(kGrid);
    }
    EXPECT_TRUE(light);
    EXPECT_TRUE(grid);
}

TEST_F(GraphObject, TicksOnTheValueAxisAtBothEnds)
{
    themes.Add(u"Plain").frame = 0;
    CObjTrend& graph = Make({0, 0, 200, 100});
    Set(u"Ticks & Labels", u"Show ticks", CPropertyValue(u"Show"));
    Set(u"Ticks & Labels", u"Tick alignment", CPropertyValue(u"Top/Left"));
    Set(u"Ticks & Labels", u"Tick size [%]", CPropertyValue(int32_t(20)));
    Set(u"Grids", u"Show vertical grids", CPropertyValue(u"Hide"));
    Set(u"Grids", u"Show horizontal grids", CPropertyValue(u"Hide"));
    const gfx::Surface picture = graph.RenderBackground();
    // Band from 2 to 23 (exclusive), rows 99 (minimum) to 0 (maximum); the plot starts at 25.
    const uint32_t tick = premultiplied(8388608);
    EXPECT_EQ(picture.pixel(5, 99), tick);
    EXPECT_EQ(picture.pixel(5, 0), tick);
    EXPECT_EQ(picture.pixel(5, 90), 0u);    // a short tick keeps to the far half
    EXPECT_EQ(picture.pixel(15, 90), tick);
    EXPECT_EQ(picture.pixel(30, 50), premultiplied(kFill));
    EXPECT_EQ(picture.pixel(24, 50), 0u);
}

TEST_F(GraphObject, SignalTypeFlags)
{
    CObjTrend& graph = Make({0, 0, 60, 40});
    const struct {
        std::u16string_view fixed, moving;
        uint32_t mode;
    } cases[] = {{u"Dot", u"Sliding", 0}, {u"Line", u"Overlapping", 65}, {u"line", u"Sliding", 1}, {u"Dot", u"OVERLAPPING", 64}};
    for (const auto& c : cases) {
        Set(u"Appearance", u"Static signal type", CPropertyValue(c.fixed));
        Set(u"Appearance", u"Dynamic signal type", CPropertyValue(c.moving));
        EXPECT_EQ(graph.ModeWord(), c.mode);
    }
}

TEST_F(GraphObject, ThePreviewAddsASampleSignalInsideThePlot)
{
    themes.Add(u"Plain").frame = 0;
    CObjTrend& graph = Make({0, 0, 200, 100});
    Set(u"Grids", u"Show vertical grids", CPropertyValue(u"Hide"));
    Set(u"Grids", u"Show horizontal grids", CPropertyValue(u"Hide"));
    const gfx::Surface background = graph.RenderBackground();
    const gfx::Surface preview = graph.RenderPreview();
    int changed = 0;
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 200; ++x)
            changed += background.pixel(x, y) != preview.pixel(x, y);
    EXPECT_GT(changed, 150);
    Set(u"Behavior", u"Sample distance [pixels]", CPropertyValue(int32_t(0)));
    const gfx::Surface still = graph.RenderPreview();
    EXPECT_EQ(still.pixel(100, 50), background.pixel(100, 50));
}

} // namespace
