#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "editor/document/CSysTag.h"
#include "editor/project/document/CProject.h"
#include "editor/views/properties/DPropCombo.h"
#include "editor/views/properties/DPropList.h"
#include "tests/editor/views/properties/PropertiesPaneFixture.h"

namespace vx::test {
namespace {

QStringList optionsOf(const DPropList& item)
{
    QStringList options;
    for (int i = 0; i < item.Combo()->count(); ++i)
        options << item.Combo()->itemText(i);
    return options;
}

class TagLists : public PropertiesPane {
protected:
    TagLists()
    {
        CTagsModel& tags = host.project->Tags();
        const int level = tags.AddNumericTag();
        tags.SetName(level, u"level");
        tags.SetName(level, u"tank_level");   // renamed: references keep "level"
        tags.SetName(tags.AddStringTag(), u"label");
        tags.SetName(tags.AddNumericTag(), u"speed");
    }
};

TEST_F(TagLists, OffersTagsOfTheExpectedTypeAndSystemTagsOnlyWhereNothingIsWritten)
{
    CEditorObject& button = Add(kButton, u"Start");
    CEditorObject& field = Add(kTextField, u"Caption");
    Select({&button});
    const QStringList written = optionsOf(*ItemOf<DPropList>(u"Data", u"Button state tag"));
    EXPECT_EQ(written, (QStringList{"<new tag>", "<no tag>", "tank_level", "speed"}));
    const QStringList read = optionsOf(*ItemOf<DPropList>(u"Data", u"Button disable tag"));
    EXPECT_EQ(read.size(), 4 + CSysTag::GetCount());
    EXPECT_EQ(read.at(4).toStdU16String(), CSysTag::GetName(0));
    Select({&field});
    EXPECT_EQ(optionsOf(*ItemOf<DPropList>(u"Data", u"Value tag")), (QStringList{"<new tag>", "<no tag>", "label"}));
}

TEST_F(TagLists, ShowTheCurrentNameAndStoreTheOriginalName)
{
    CEditorObject& button = Add(kButton, u"Start");
    SetValue(button, u"Data", u"Button state tag", u"level");
    SetValue(button, u"Data", u"Button disable tag", u"gone");
    Select({&button});
    auto* state = ItemOf<DPropList>(u"Data", u"Button state tag");
    EXPECT_EQ(state->Combo()->currentText(), "tank_level");
    // A reference that matches nothing shows empty.
    EXPECT_EQ(ItemOf<DPropList>(u"Data", u"Button disable tag")->Combo()->currentText(), "");

    Choose(*state, "speed");
    EXPECT_EQ(ValueOf(button, u"Data", u"Button state tag"), u"speed");
    Choose(*state, "tank_level");
    EXPECT_EQ(ValueOf(button, u"Data", u"Button state tag"), u"level");
    EXPECT_EQ(UndoLabels(), (std::vector<std::u16string>{u"Button state tag = speed", u"Button state tag = level"}));
}

TEST_F(TagLists, NoTagStoresAnEmptyReference)
{
    CEditorObject& button = Add(kButton, u"Start");
    SetValue(button, u"Data", u"Button state tag", u"speed");
    Select({&button});
    auto* state = ItemOf<DPropList>(u"Data", u"Button state tag");
    Choose(*state, "<no tag>");
    EXPECT_EQ(ValueOf(button, u"Data", u"Button state tag"), u"");
    EXPECT_EQ(state->Combo()->currentText(), "");
}

TEST_F(TagLists, ANewTagNameWithASpaceMakesTheTagWithAnUnderscore)
{
    CEditorObject& button = Add(kButton, u"Start");
    Select({&button});
    auto* state = ItemOf<DPropList>(u"Data", u"Button state tag");
    Choose(*state, "<new tag>");
    EXPECT_TRUE(state->IsNewTagPending());
    EXPECT_EQ(state->Combo()->currentText(), "");
    EXPECT_TRUE(UndoLabels().empty());

    QLineEdit* edit = state->Combo()->lineEdit();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, "pump on");
    QTest::keyClick(edit, Qt::Key_Return);
    const CTagsModel& tags = host.project->Tags();
    const int row = tags.FindByOriginalName(u"pump_on");
    ASSERT_GE(row, 0);
    EXPECT_EQ(tags.Row(row).name, u"pump_on");
    EXPECT_EQ(tags.Row(row).type, u"integer");
    EXPECT_EQ(ValueOf(button, u"Data", u"Button state tag"), u"pump_on");
    EXPECT_EQ(host.counts.refreshTags, 1);
    EXPECT_FALSE(state->IsNewTagPending());
}

TEST_F(TagLists, ANewTagOfAStringPropertyIsAStringTagAndANameNotStartingWithALetterStoresNothing)
{
    CEditorObject& field = Add(kTextField, u"Caption");
    Select({&field});
    auto* tag = ItemOf<DPropList>(u"Data", u"Value tag");
    Choose(*tag, "<new tag>");
    QTest::keyClicks(tag->Combo()->lineEdit(), "title");
    QTest::keyClick(tag->Combo()->lineEdit(), Qt::Key_Return);
    const int row = host.project->Tags().FindByOriginalName(u"title");
    ASSERT_GE(row, 0);
    EXPECT_EQ(host.project->Tags().Row(row).type, u"native-encoding");

    const int rows = host.project->Tags().RowCount();
    Choose(*tag, "<new tag>");
    QTest::keyClicks(tag->Combo()->lineEdit(), "1st");
    QTest::keyClick(tag->Combo()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(host.project->Tags().RowCount(), rows);
    EXPECT_EQ(ValueOf(field, u"Data", u"Value tag"), u"");
}

TEST_F(PropertiesPane, ADateChoiceTurnedToTimeTakesTheFirstTimeFormatAndAsksForARefillInPlace)
{
    CEditorObject& field = Add(kDateTimeField, u"Clock");
    Select({&field});
    auto* format = ItemOf<DPropList>(u"Appearance", u"DTC format");
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->Combo()->currentText(), "d m yy");
    EXPECT_EQ(format->Combo()->count(), 12);

    Choose(*ItemOf<DPropList>(u"Appearance", u"DTC choice"), "Time");
    EXPECT_EQ(ValueOf(field, u"Appearance", u"DTC choice"), u"Time");
    EXPECT_EQ(ValueOf(field, u"Appearance", u"DTC format"), u"hh mm 24 hour");
    EXPECT_EQ(host.counts.refillInPlace, 1);
    EXPECT_EQ(host.counts.refillFull, 0);

    Select({&field}, PropertiesRefill::InPlace);
    EXPECT_EQ(ItemOf<DPropList>(u"Appearance", u"DTC format"), format);
    EXPECT_EQ(format->Combo()->currentText(), "hh mm 24 hour");
    EXPECT_EQ(optionsOf(*format).first(), "hh mm 24 hour");
    EXPECT_EQ(format->Combo()->count(), 12);
    Choose(*ItemOf<DPropList>(u"Appearance", u"DTC choice"), "Clock");
    EXPECT_EQ(ValueOf(field, u"Appearance", u"DTC format"), u"hh mm ss");
}

TEST_F(PropertiesPane, PageListsLeaveOutTheEditedAndTheGlobalPageAndStoreOriginalNames)
{
    CPage& second = host.project->AddPage();
    CPage& global = host.project->AddPage(int32_t(target::PageType::Global));
    CEditorObject& window = Add(kWindow, u"Popup");
    Select({&window});
    auto* referenced = ItemOf<DPropList>(u"Behavior", u"Referenced page");
    ASSERT_NE(referenced, nullptr);
    EXPECT_EQ(optionsOf(*referenced), QStringList{QString::fromStdU16String(second.GetName())});
    EXPECT_NE(global.GetName(), second.GetName());

    const std::u16string original = second.GetOriginalName();
    second.SetName(u"Alarms");
    Select({&window});
    Choose(*ItemOf<DPropList>(u"Behavior", u"Referenced page"), "Alarms");
    EXPECT_EQ(ValueOf(window, u"Behavior", u"Referenced page"), original);
}

TEST_F(PropertiesPane, ObjectListsOfferTheFocusableObjectsButTheEditedOne)
{
    host.project->Settings().target.targetFlags |= int(target::kTargetFlagFocusTracking);
    CEditorObject& start = Add(kButton, u"Start");
    CEditorObject& stop = Add(kButton, u"Stop");
    Add(kTextField, u"Caption");
    CObjectNames::InitObjectName(stop, u"stop-1");
    SetValue(stop, u"none", u"Name", u"Stop");
    Select({&start});
    auto* right = ItemOf<DPropList>(u"Navigation", u"Object right");
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(optionsOf(*right), (QStringList{"", "Stop"}));
    Choose(*right, "Stop");
    EXPECT_EQ(ValueOf(start, u"Navigation", u"Object right"), u"stop-1");
    Select({&start});
    EXPECT_EQ(ItemOf<DPropList>(u"Navigation", u"Object right")->Combo()->currentText(), "Stop");
}

TEST_F(PropertiesPane, AListHoldingItsWholeOptionListTakesItsFirstOption)
{
    CEditorObject& button = Add(kButton, u"Start");
    const std::u16string options = u"Normal\u0001Toggle";
    SetValue(button, u"Behavior", u"Button type", options);
    Select({&button});
    EXPECT_EQ(ItemOf<DPropList>(u"Behavior", u"Button type")->Combo()->currentText(), "Normal");
    EXPECT_EQ(ValueOf(button, u"Behavior", u"Button type"), u"Normal");
}

} // namespace
} // namespace vx::test

namespace vx::test {
namespace {

TEST_F(TagLists, ASystemTagIsStoredByItsName)
{
    CEditorObject& button = Add(kButton, u"Start");
    Select({&button});
    const QString counter = QString::fromStdU16String(CSysTag::GetName(0));
    Choose(*ItemOf<DPropList>(u"Data", u"Button disable tag"), counter);
    EXPECT_EQ(ValueOf(button, u"Data", u"Button disable tag"), counter.toStdU16String());
    Select({&button});
    EXPECT_EQ(ItemOf<DPropList>(u"Data", u"Button disable tag")->Combo()->currentText(), counter);
}

} // namespace
} // namespace vx::test
