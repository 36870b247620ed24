#include <gtest/gtest.h>

#include "engine/core/DDirtyRegion.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/render/DRendererBitmap.h"
#include "tests/support/engine/FakePlatform.h"

namespace {

// A primitive that marks itself again while it draws.
class MarkingPrimitive : public DBaseObject {
public:
    explicit MarkingPrimitive(DDirtyRegion& region) : DBaseObject(0, nullptr, nullptr), m_region(region)
    {
        m_flags = kVisible;
        m_bounds = m_visibleRect = {0, 0, 7, 7};
    }
    void draw(DRenderer&, const DRect&) override { m_region.invalidate(m_bounds); }

private:
    DDirtyRegion& m_region;
};

} // namespace

TEST(DDirtyRegionDeathTest, MarkingWhileThePagesAreDrawnStopsADebugBuild)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check is in debug builds";
#else
    FakePlatform platform;
    DProject project(platform);
    DPage page(&project, 0);
    DRendererBitmap renderer;
    ASSERT_EQ(renderer.init(nullptr, nullptr, 8, 8), 0);
    DDirtyRegion region;
    MarkingPrimitive primitive(region);
    page.primitives().push_back(&primitive);
    region.invalidate({0, 0, 7, 7});
    DRect united{};
    EXPECT_DEATH(region.redraw(page, &renderer, united), "marked dirty while the pages were drawn");
    page.primitives().clear();
#endif
}
