#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "editor/project/document/CProject.h"
#include "editor/views/properties/DPropBool.h"
#include "editor/views/properties/DPropColor.h"
#include "editor/views/properties/DPropCombo.h"
#include "editor/views/properties/DPropFile.h"
#include "editor/views/properties/DPropInt.h"
#include "editor/views/properties/DPropList.h"
#include "editor/views/properties/DPropMultiText.h"
#include "editor/views/properties/DPropText.h"
#include "editor/views/properties/PropertyMessages.h"
#include "foundation/target/TargetFormat.h"
#include "tests/editor/views/properties/PropertiesPaneFixture.h"

namespace vx::test {
namespace {

TEST_F(PropertiesPane, AnEditIsStoredAsOneUndoStepLabelledWithItsValue)
{
    CEditorObject& button = Add(kButton, u"Start");
    Select({&button});
    auto* text = ItemOf<DPropMultiText>(u"Appearance", u"Text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->LineEdit()->text(), "button");

    Type(text->LineEdit(), "hello");
    EXPECT_EQ(ValueOf(button, u"Appearance", u"Text"), u"hello");
    EXPECT_EQ(UndoLabels(), std::vector<std::u16string>{u"Text = hello"});
    // Ending the edit again changes nothing more.
    QTest::keyClick(text->LineEdit(), Qt::Key_Return);
    EXPECT_EQ(UndoLabels().size(), 1u);
}

TEST_F(PropertiesPane, TheSelectionsGroupsFollowTheFirstItemsCategories)
{
    CEditorObject& button = Add(kButton, u"Start");
    Select({&button});
    EXPECT_EQ(bar->Grid().GroupNames(),
              (std::vector<std::u16string>{u"Appearance", u"Behavior", u"Data", u"Position & Size"}));
    // "Name" stands at the top level, internal properties are never shown.
    ASSERT_NE(ItemOf<DPropText>(u"", u"Name"), nullptr);
    EXPECT_EQ(ItemOf(u"", u"_Original name"), nullptr);
    EXPECT_EQ(ItemOf(u"Behavior", u"_Action script"), nullptr);
    EXPECT_NE(ItemOf<DPropList>(u"Behavior", u"Button type"), nullptr);
    EXPECT_NE(ItemOf<DPropInt>(u"Position & Size", u"Width"), nullptr);
}

TEST_F(PropertiesPane, DifferingValuesShowEmptyAndTypingStoresEachAsItsOwnStep)
{
    CEditorObject& first = Add(kButton, u"A");
    CEditorObject& second = Add(kButton, u"B");
    SetValue(first, u"Appearance", u"Text", u"one");
    SetValue(second, u"Appearance", u"Text", u"two");
    Select({&first, &second});
    auto* text = ItemOf<DPropMultiText>(u"Appearance", u"Text");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->IsMixed());
    EXPECT_EQ(text->LineEdit()->text(), "");

    EnterAndLeave(text->LineEdit());
    QTest::keyClick(text->LineEdit(), Qt::Key_Return);
    EXPECT_EQ(ValueOf(first, u"Appearance", u"Text"), u"one");
    EXPECT_EQ(ValueOf(second, u"Appearance", u"Text"), u"two");
    EXPECT_TRUE(UndoLabels().empty());

    Type(text->LineEdit(), "both");
    EXPECT_EQ(ValueOf(first, u"Appearance", u"Text"), u"both");
    EXPECT_EQ(ValueOf(second, u"Appearance", u"Text"), u"both");
    EXPECT_EQ(UndoLabels(), (std::vector<std::u16string>{u"Text = both", u"Text = both"}));
}

TEST_F(PropertiesPane, MixedChoicesAndNumbersAreLeftAloneUntilChanged)
{
    CEditorObject& first = Add(kButton, u"A");
    CEditorObject& second = Add(kButton, u"B");
    SetValue(first, u"Appearance", u"Icon size [%]", u"50");
    SetValue(second, u"Behavior", u"Button type", u"Toggle");
    Select({&first, &second});
    auto* size = ItemOf<DPropInt>(u"Appearance", u"Icon size [%]");
    auto* type = ItemOf<DPropList>(u"Behavior", u"Button type");
    ASSERT_TRUE(size && type);
    EXPECT_EQ(size->LineEdit()->text(), "");
    EXPECT_EQ(type->Combo()->currentIndex(), -1);
    EnterAndLeave(size->LineEdit());
    EnterAndLeave(type->Combo());
    EXPECT_TRUE(UndoLabels().empty());

    type->Combo()->setFocus();
    QTest::keyClick(type->Combo(), Qt::Key_Down);
    EXPECT_EQ(ValueOf(first, u"Behavior", u"Button type"), u"Normal");
    EXPECT_EQ(ValueOf(second, u"Behavior", u"Button type"), u"Normal");
    EXPECT_EQ(UndoLabels(), std::vector<std::u16string>{u"Button type = Normal"});
}

TEST_F(PropertiesPane, APropertyNotEverySelectedObjectHasIsLeftOut)
{
    CEditorObject& button = Add(kButton, u"A");
    CEditorObject& indicator = Add(kIndicatorButton, u"B");
    Select({&indicator, &button});
    EXPECT_EQ(ItemOf(u"Appearance", u"Indicator size"), nullptr);
    EXPECT_NE(ItemOf(u"Appearance", u"Text"), nullptr);
    Select({&indicator});
    EXPECT_NE(ItemOf(u"Appearance", u"Indicator size"), nullptr);
}

TEST_F(PropertiesPane, IntegersTakeOnlyDigits)
{
    CEditorObject& button = Add(kButton, u"A");
    Select({&button});
    auto* offset = ItemOf<DPropInt>(u"Appearance", u"Icon offset [%]");
    ASSERT_NE(offset, nullptr);
    Type(offset->LineEdit(), "1x2");
    EXPECT_EQ(ValueOf(button, u"Appearance", u"Icon offset [%]"), u"12");
    EXPECT_EQ(UndoLabels(), std::vector<std::u16string>{u"Icon offset [%] = 12"});
}

TEST_F(PropertiesPane, PositionEditsMoveTheObjectInsideThePaper)
{
    container->SetPaperSize(200, 100);
    CEditorObject& button = Add(kButton, u"A");
    Select({&button});
    Type(ItemOf<DPropInt>(u"Position & Size", u"X")->LineEdit(), "40");
    EXPECT_EQ(button.GetRect().left, 40);
    EXPECT_EQ(button.GetRect().right, 140);
    Type(ItemOf<DPropInt>(u"Position & Size", u"Width")->LineEdit(), "30");
    EXPECT_EQ(button.GetRect().right, 70);
}

TEST_F(PropertiesPane, ARefillInPlaceWritesValuesWithoutStoringThem)
{
    CEditorObject& button = Add(kButton, u"A");
    Select({&button});
    DProp* before = ItemOf(u"Appearance", u"Text");
    SetValue(button, u"Appearance", u"Text", u"changed elsewhere");
    Select({&button}, PropertiesRefill::InPlace);
    auto* text = ItemOf<DPropMultiText>(u"Appearance", u"Text");
    EXPECT_EQ(text, before);
    EXPECT_EQ(text->LineEdit()->text(), "changed elsewhere");
    EnterAndLeave(text->LineEdit());
    EXPECT_TRUE(UndoLabels().empty());
}

TEST_F(PropertiesPane, AValueThatCameToDifferInPlaceIsShownMixedAndLeftAlone)
{
    CEditorObject& first = Add(kButton, u"A");
    CEditorObject& second = Add(kButton, u"B");
    Select({&first, &second});
    auto* text = ItemOf<DPropMultiText>(u"Appearance", u"Text");
    EXPECT_FALSE(text->IsMixed());
    SetValue(second, u"Appearance", u"Text", u"other");
    Select({&first, &second}, PropertiesRefill::InPlace);
    EXPECT_EQ(ItemOf<DPropMultiText>(u"Appearance", u"Text"), text);
    EXPECT_TRUE(text->IsMixed());
    EXPECT_EQ(text->LineEdit()->text(), "");
    EnterAndLeave(text->LineEdit());
    EXPECT_EQ(ValueOf(first, u"Appearance", u"Text"), u"button");
    EXPECT_EQ(ValueOf(second, u"Appearance", u"Text"), u"other");
    // Another selection is never refilled in place.
    Select({&first}, PropertiesRefill::InPlace);
    EXPECT_FALSE(ItemOf<DPropMultiText>(u"Appearance", u"Text")->IsMixed());
}

TEST_F(PropertiesPane, NavigationIsShownOnlyWithNavigationByKeys)
{
    CEditorObject& field = Add(kEditableNumericField, u"Entry");
    Select({&field});
    EXPECT_FALSE(bar->Grid().HasGroup(u"Navigation"));
    host.project->Settings().target.targetFlags |= int(target::kTargetFlagFocusTracking);
    Select({&field});
    EXPECT_TRUE(bar->Grid().HasGroup(u"Navigation"));
}

} // namespace
} // namespace vx::test
