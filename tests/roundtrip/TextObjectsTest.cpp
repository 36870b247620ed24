// Texts, message fields and tickers as the editor compiles them, loaded by the engine.
#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;

TEST(ObjectRoundTripHarness, AnObjectWithoutWordsMakesNoWidgetAndThePageStillLoads)
{
    CSelectable page{kPageObjectType};
    auto timer = CEditorObject::CreateObject(24, &page);   // still a placeholder: compiles nothing
    timer->SetRect(10, 10, 30, 30);
    ObjectRoundTrip roundTrip;
    roundTrip.Add(*timer);
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.TypeOf(0), 0u);
    EXPECT_EQ(roundTrip.Widget(0), nullptr);
    EXPECT_EQ(roundTrip.LoadStatus(0), std::nullopt);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    const vx::test::PagePixels engine = roundTrip.RenderPage();
    EXPECT_EQ(engine.at(0, 0) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
    EXPECT_EQ(engine.at(20, 20) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
    // The placeholder's preview is a grey panel the engine does not show.
    const vx::test::PagePixels previews = roundTrip.ComposePreviews();
    EXPECT_EQ(previews.at(20, 20) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(previews.CountDifferences(engine), 20u * 20u);
}

} // namespace
