#include <gtest/gtest.h>

#include "platform/gfx/Surface.h"
#include "tests/diagram/editor/EditorTestSupport.h"

using namespace diagramtest;

namespace {

constexpr uint32_t kOutside = 0xFFA0A0A0;
constexpr uint32_t kGrid = 0xFFC0C0C0;
constexpr uint32_t kMargin = 0xFF8080FF; // 0xFF8080 as a Windows colour: blue 0xFF
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

struct Probe {
    int32_t x, y;
    uint32_t pixel;
};

class Paint : public testing::Test {
protected:
    void setUp(CDiagramPoint client, CDiagramPoint paper)
    {
        container.SetPaperSize(paper.x, paper.y);
        editor.Create(&container, nullptr, client);
    }
    gfx::Surface paint()
    {
        const CDiagramPoint client = editor.GetViewport().GetClientSize();
        gfx::Surface surface(client.x, client.y);
        gfx::DeviceContext dc(surface);
        editor.Paint(dc);
        return surface;
    }
    void expectPixels(const gfx::Surface& surface, std::initializer_list<Probe> probes)
    {
        for (const Probe& p : probes)
            EXPECT_EQ(surface.pixel(p.x, p.y), p.pixel) << "at " << p.x << "," << p.y;
    }
    CDiagramEntity& add(double l, double t, double r, double b)
    {
        auto entity = makeEntity(l, t, r, b);
        CDiagramEntity& added = *entity;
        editor.AddObject(std::move(entity));
        return added;
    }

    RecordingHost host;
    CDiagramEntityContainer container;
    CDiagramEditor editor;
};

} // namespace

TEST_F(Paint, GridLinesAtEveryStepUpToThePaperEndPointsLeftOut)
{
    setUp({40, 30}, {32, 24});
    const gfx::Surface surface = paint();
    expectPixels(surface, {
                              {0, 0, kGrid},     {8, 5, kGrid},     {9, 5, kOutside},  {5, 8, kGrid},
                              {32, 24, kGrid},   {32, 25, kOutside}, {33, 24, kOutside}, {36, 5, kOutside},
                              {5, 28, kOutside}, {31, 23, kOutside},
                          });

    editor.SetZoom(2.0);
    editor.OnSize(70, 50);
    const gfx::Surface zoomed = paint();
    expectPixels(zoomed, {{16, 3, kGrid}, {8, 3, kOutside}, {64, 48, kGrid}, {65, 48, kOutside}, {3, 32, kGrid}});
}

TEST_F(Paint, MarginLinesLieInsideTheirMargins)
{
    setUp({50, 50}, {40, 40});
    editor.SetGridVisible(Toggle::Off);
    editor.SetMarginsVisible(Toggle::On);
    const gfx::Surface surface = paint();
    expectPixels(surface, {
                              {8, 8, kMargin},    {8, 23, kMargin},  {8, 24, kOutside}, {8, 7, kOutside},
                              {7, 8, kOutside},   {31, 15, kMargin}, {32, 15, kOutside}, {20, 8, kMargin},
                              {20, 23, kMargin},  {31, 23, kMargin}, {20, 22, kOutside}, {9, 9, kOutside},
                          });
}

TEST_F(Paint, PaperMarkersOnceThePaperIsSelected)
{
    setUp({50, 50}, {40, 40});
    editor.SetGridVisible(Toggle::Off);
    editor.SetPaperResize(Toggle::On);
    expectPixels(paint(), {{36, 36, kOutside}, {3, 3, kOutside}});
    editor.OnLButtonDown({{35, 20}}); // near the right edge
    editor.OnLButtonUp({{35, 20}});
    ASSERT_TRUE(editor.IsPaperSelected());
    expectPixels(paint(), {
                              {36, 36, kBlack},   {43, 43, kBlack}, {44, 44, kOutside}, {35, 35, kOutside},
                              {3, 3, kBlack},     {4, 4, kOutside}, {36, 16, kBlack},   {43, 23, kBlack},
                              {36, 24, kOutside}, {16, 36, kBlack}, {24, 36, kOutside},
                          });
}

TEST_F(Paint, SelectionHandlesOfTheTopmostAndCornersOfTheOthers)
{
    setUp({60, 50}, {60, 50});
    editor.SetGridVisible(Toggle::Off);
    CDiagramEntity& entity = add(10, 10, 50, 40);
    editor.SelectObject(entity, true);
    expectPixels(paint(), {
                              {6, 6, kBlack},     {13, 13, kBlack},   {14, 14, kWhite},   {5, 5, kOutside},
                              {26, 6, kBlack},    {33, 13, kBlack},   {34, 6, kOutside},  {53, 43, kBlack},
                              {54, 44, kOutside}, {49, 17, kBlack},   {50, 17, kOutside}, {48, 17, kWhite},
                              {20, 39, kBlack},   {20, 40, kOutside}, {6, 21, kBlack},    {53, 28, kBlack},
                          });

}

TEST_F(Paint, OnlyTheTopmostSelectedShowsAllEightHandles)
{
    setUp({60, 50}, {60, 50});
    editor.SetGridVisible(Toggle::Off);
    add(10, 10, 30, 30);
    add(40, 10, 55, 30);
    editor.SelectAll();
    expectPixels(paint(), {
                              {9, 9, kBlack},     {8, 8, kBlack},    {7, 7, kOutside}, {31, 31, kBlack}, // corners
                              {20, 9, kOutside},  {9, 20, kOutside},                                      // no sides
                              {47, 7, kBlack},    {37, 20, kBlack},                                       // the top one's
                          });
}

TEST_F(Paint, RubberBandInvertsWhileDrawn)
{
    setUp({40, 40}, {40, 40});
    editor.SetGridVisible(Toggle::Off);
    editor.OnLButtonDown({{5, 5}});
    editor.OnMouseMove({{25, 25}});
    const uint32_t inverted = 0xFF5F5F5F;
    expectPixels(paint(), {{5, 5, inverted}, {6, 5, kOutside}, {7, 5, inverted}, {24, 24, inverted},
                           {15, 15, kOutside}});
    editor.OnLButtonUp({{25, 25}});
    expectPixels(paint(), {{5, 5, kOutside}});
}

TEST_F(Paint, PanMarkerAroundTheOrigin)
{
    setUp({60, 60}, {60, 60});
    editor.SetGridVisible(Toggle::Off);
    editor.OnMButtonDown({{30, 30}});
    const gfx::Surface surface = paint();
    EXPECT_EQ(surface.pixel(30, 30), 0xFFC0C0C0u); // the light centre
    EXPECT_NE(surface.pixel(30, 14), kOutside);    // the grey ring
    EXPECT_EQ(surface.pixel(30, 22), kOutside);    // nothing between
}
