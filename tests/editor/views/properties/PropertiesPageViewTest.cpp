#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DPropMultiText.h"
#include "editor/views/properties/DPropText.h"
#include "tests/editor/views/page/PageViewHarness.h"
#include "tests/support/editor/ProjectHarness.h"

namespace vx::test {
namespace {

constexpr int32_t kButton = 17;

class PropertiesOfAPageView : public testing::Test {
protected:
    PropertiesOfAPageView()
    {
        SetValue(harness.AddObject(kButton, 10, 10), u"Appearance", u"Text", u"one");
        SetValue(harness.AddObject(kButton, 100, 10), u"Appearance", u"Text", u"two");
        harness.Open();
    }

    PageViewHarness harness;
    CPropertiesBar bar{harness.host};
};

TEST_F(PropertiesOfAPageView, ShowsThePageWhenNothingIsSelected)
{
    bar.FillProperties(harness.View(), PropertiesRefill::Full);
    ASSERT_EQ(bar.GetSelection().size(), 1u);
    EXPECT_EQ(bar.GetSelection()[0], harness.View().GetPage());
    EXPECT_TRUE(bar.Grid().HasGroup(u"Page"));
}

TEST_F(PropertiesOfAPageView, WritesAMergedEditToEverySelectedObjectOfTheView)
{
    harness.Select({0, 1});
    bar.show();
    bar.FillProperties(harness.View(), PropertiesRefill::Full);
    auto* text = dynamic_cast<DPropMultiText*>(bar.Grid().FindItem(u"Appearance", u"Text"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->IsMixed());
    text->LineEdit()->setFocus();
    QTest::keyClicks(text->LineEdit(), "hello");
    QTest::keyClick(text->LineEdit(), Qt::Key_Return);
    EXPECT_EQ(ValueOf(harness.Object(0), u"Appearance", u"Text"), u"hello");
    EXPECT_EQ(ValueOf(harness.Object(1), u"Appearance", u"Text"), u"hello");
    const auto& undo = harness.View().GetContainer().GetUndoStack();
    ASSERT_EQ(undo.size(), 2u);
    EXPECT_EQ(undo.back()->label, u"Text = hello");
}

} // namespace
} // namespace vx::test
