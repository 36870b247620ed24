#include <gtest/gtest.h>

#include "diagram/editor/DiagramViewport.h"

namespace {

DiagramViewport makeViewport(CDiagramPoint client, CDiagramPoint paper, double zoom = 1.0)
{
    DiagramViewport viewport;
    viewport.SetClientSize(client.x, client.y);
    viewport.SetPaperSize(paper);
    viewport.SetZoom(zoom);
    return viewport;
}

} // namespace

TEST(DiagramViewport, ZoomStaysWithinItsLimits)
{
    struct Case {
        double asked, kept;
    };
    const Case cases[] = {{20, 10}, {10, 10}, {1.5, 1.5}, {0.01, 0.01}, {0, 0.01}, {-1, 0.01}};
    for (const Case& c : cases) {
        DiagramViewport viewport = makeViewport({100, 100}, {800, 480}, 2.0);
        viewport.SetZoom(c.asked);
        EXPECT_DOUBLE_EQ(viewport.GetZoom(), c.kept) << c.asked;
        // The mapping back stays finite at the smallest zoom.
        const CDiagramPoint back = viewport.ToVirtual({50, 50});
        EXPECT_EQ(back.x, int32_t(50 / c.kept + 0.5)) << c.asked;
    }
}

TEST(DiagramViewport, MapsBothWaysAtZoomAndScroll)
{
    DiagramViewport viewport = makeViewport({200, 200}, {800, 480}, 1.5);
    ASSERT_TRUE(viewport.SetScrollPosition(ScrollAxis::Horizontal, 30));
    EXPECT_EQ(viewport.ToScreenX(100), 120);
    EXPECT_EQ(viewport.ToVirtual({120, 0}).x, 100);
    EXPECT_EQ(viewport.ToCanvas({120, 7}), (CDiagramPoint{150, 7}));
    // Rounded half up both ways: 3 × 1.5 = 4.5 shows at 5 (before scrolling).
    DiagramViewport plain = makeViewport({200, 200}, {800, 480}, 1.5);
    EXPECT_EQ(plain.ToScreenX(3), 5);
    EXPECT_EQ(plain.ToVirtual({5, 0}).x, 3);
    EXPECT_EQ(plain.ToScreen(CDiagramRect{10, 10, 2, 4}), (CDiagramRect{3, 6, 15, 15})); // normalised first
}

TEST(DiagramViewport, PaperOfNoSizeUsesTheClientSize)
{
    DiagramViewport viewport = makeViewport({300, 200}, {0, 0});
    EXPECT_EQ(viewport.GetVirtualSize(), (CDiagramPoint{300, 200}));
    viewport.SetPaperSize({500, 0});
    EXPECT_EQ(viewport.GetVirtualSize(), (CDiagramPoint{500, 200}));
}

TEST(DiagramViewport, BarsShowOnlyWhereThePaperIsLarger)
{
    DiagramViewport viewport = makeViewport({400, 300}, {800, 200});
    EXPECT_EQ(viewport.GetBar(ScrollAxis::Horizontal), (ScrollBarState{true, 800, 400, 0}));
    EXPECT_EQ(viewport.GetBar(ScrollAxis::Vertical), ScrollBarState{});
    EXPECT_FALSE(viewport.SetScrollPosition(ScrollAxis::Vertical, 5));

    // Lines, pages and the ends, never beyond the range.
    EXPECT_TRUE(viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::LineDown));
    EXPECT_EQ(viewport.GetScrollPosition().x, 1);
    viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::PageDown);
    EXPECT_EQ(viewport.GetScrollPosition().x, 400);
    viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::PageDown);
    EXPECT_EQ(viewport.GetScrollPosition().x, 400);
    viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::Track, 123);
    EXPECT_EQ(viewport.GetScrollPosition().x, 123);
    viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::Top);
    EXPECT_EQ(viewport.GetScrollPosition().x, 0);
    viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::LineUp);
    EXPECT_EQ(viewport.GetScrollPosition().x, 0); // below 0 stays 0
    viewport.Scroll(ScrollAxis::Horizontal, ScrollAction::Bottom);
    EXPECT_EQ(viewport.GetScrollPosition().x, 400);

    // Zooming out until the paper fits drops the bar and its position.
    viewport.SetZoom(0.5);
    EXPECT_EQ(viewport.GetBar(ScrollAxis::Horizontal), ScrollBarState{});
    EXPECT_EQ(viewport.GetScrollPosition().x, 0);
}

TEST(DiagramViewport, WheelRemainderCarriesOver)
{
    DiagramViewport viewport;
    EXPECT_EQ(viewport.AccumulateWheel(40), 0);
    EXPECT_EQ(viewport.AccumulateWheel(40), 0);
    EXPECT_EQ(viewport.AccumulateWheel(40), 1);
    EXPECT_EQ(viewport.AccumulateWheel(-250), -2); // 10 left over towards the user
    EXPECT_EQ(viewport.AccumulateWheel(-110), -1);
    EXPECT_EQ(viewport.AccumulateWheel(360), 3);
}

TEST(DiagramViewport, AutoScrollStepsTowardsThePointerOnLargerAxesOnly)
{
    DiagramViewport viewport = makeViewport({400, 300}, {800, 200});
    EXPECT_TRUE(viewport.AutoScroll({450, 500}));
    EXPECT_EQ(viewport.GetScrollPosition(), (CDiagramPoint{10, 0})); // the paper fits vertically
    EXPECT_TRUE(viewport.AutoScroll({-3, 10}));
    EXPECT_EQ(viewport.GetScrollPosition(), (CDiagramPoint{0, 0}));
    EXPECT_FALSE(viewport.AutoScroll({-3, 10}));
    EXPECT_FALSE(viewport.AutoScroll({100, 100}));
}
