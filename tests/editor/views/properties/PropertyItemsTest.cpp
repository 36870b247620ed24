#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "editor/project/document/CProject.h"
#include "editor/project/page/CPageObserver.h"
#include "editor/views/dialogs/CDlgMultitext.h"
#include "editor/views/dialogs/CListColors.h"
#include "editor/views/dialogs/CListMessages.h"
#include "editor/views/properties/DPropBool.h"
#include "editor/views/properties/DPropColor.h"
#include "editor/views/properties/DPropColors.h"
#include "editor/views/properties/DPropFile.h"
#include "editor/views/properties/DPropInt.h"
#include "editor/views/properties/DPropList.h"
#include "editor/views/properties/DPropMessages.h"
#include "editor/views/properties/DPropMultiText.h"
#include "editor/views/properties/PropertyMessages.h"
#include "tests/editor/views/properties/PropertiesPaneFixture.h"
#include "tests/support/TestEnvironment.h"

namespace vx::test {
namespace {

class PageObserver : public CPageObserver {
public:
    void OnBackgroundChanged(const CPage&) override { ++changes; }
    int changes = 0;
};

struct VisibilityCase {
    const char* name;
    int32_t type;
    std::u16string_view category;
    std::u16string_view caption;
    std::u16string_view value;
    std::vector<std::u16string_view> shown;
    std::vector<std::u16string_view> hidden;
    std::u16string_view group;   // of the shown and hidden properties
};

class PropertyVisibility : public PropertiesPane, public testing::WithParamInterface<VisibilityCase> {};

TEST_P(PropertyVisibility, FollowsTheDeciding)
{
    const VisibilityCase& c = GetParam();
    CEditorObject& object = Add(c.type, u"Object");
    SetValue(object, c.category, c.caption, c.value);
    for (const std::u16string_view caption : c.shown)
        EXPECT_TRUE(CPropertiesBar::IsPropertyVisible(*object.FindAnyProperty(caption), object)) << c.name;
    for (const std::u16string_view caption : c.hidden)
        EXPECT_FALSE(CPropertiesBar::IsPropertyVisible(*object.FindAnyProperty(caption), object)) << c.name;
    Select({&object});
    for (const std::u16string_view caption : c.shown)
        EXPECT_NE(ItemOf(c.group, caption), nullptr) << c.name;
    for (const std::u16string_view caption : c.hidden)
        EXPECT_EQ(ItemOf(c.group, caption), nullptr) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PropertyVisibility,
    testing::Values(
        VisibilityCase{"SliderCentred", kSlider, u"Ticks & Labels", u"Tick alignment", u"Center", {},
                       {u"Tick placement", u"Tick offset [%]"}, u"Ticks & Labels"},
        VisibilityCase{"SliderTopLeft", kSlider, u"Ticks & Labels", u"Tick alignment", u"Top/Left",
                       {u"Tick placement", u"Tick offset [%]"}, {}, u"Ticks & Labels"},
        VisibilityCase{"ListByVisibleItems", kListBox, u"Appearance", u"Item size form", u"By visible items",
                       {u"Visible items"}, {u"Item height"}, u"Appearance"},
        VisibilityCase{"ListByItemHeight", kDynamicListBox, u"Appearance", u"Item size form", u"By item height",
                       {u"Item height"}, {u"Visible items"}, u"Appearance"}),
    [](const auto& info) { return info.param.name; });

struct RefillCase {
    const char* name;
    int32_t type;
    std::u16string_view category;
    std::u16string_view caption;
    std::u16string_view before;
    QString chosen;
    std::u16string_view appearing;   // empty: nothing appears
    std::u16string_view going;
};

class VisibilityChoice : public PropertiesPane, public testing::WithParamInterface<RefillCase> {};

TEST_P(VisibilityChoice, AsksForAFullRefillThatShowsTheOtherProperties)
{
    const RefillCase& c = GetParam();
    CEditorObject& object = Add(c.type, u"Object");
    SetValue(object, c.category, c.caption, c.before);
    Select({&object});
    ASSERT_NE(ItemOf(c.category, c.going), nullptr);
    Choose(*ItemOf<DPropList>(c.category, c.caption), c.chosen);
    EXPECT_EQ(host.counts.refillFull, 1);
    Select({&object});
    EXPECT_EQ(ItemOf(c.category, c.going), nullptr);
    if (!c.appearing.empty()) {
        EXPECT_NE(ItemOf(c.category, c.appearing), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, VisibilityChoice,
    testing::Values(RefillCase{"SliderTicksCentred", kSlider, u"Ticks & Labels", u"Tick alignment", u"Top/Left",
                               "Center", {}, u"Tick placement"},
                    RefillCase{"ListByItemHeight", kListBox, u"Appearance", u"Item size form", u"By visible items",
                               "By item height", u"Item height", u"Visible items"}),
    [](const auto& info) { return info.param.name; });

TEST_F(PropertiesPane, TheFileBrowseOfAnUnsavedProjectOnlyShowsItsMessage)
{
    Select({page});
    auto* image = ItemOf<DPropFile>(u"Page", u"Background image");
    ASSERT_NE(image, nullptr);
    QTest::mouseClick(image->Button(), Qt::LeftButton);
    EXPECT_EQ(host.prompts.messages, std::vector<std::u16string>{std::u16string(PropertyMessages::kSaveProjectFirst)});
    EXPECT_TRUE(filePrompts.fileRequests.empty());
    EXPECT_EQ(ValueOf(*page, u"Page", u"Background image"), u"");
}

TEST_F(PropertiesPane, AChosenFileIsStoredRelativeToTheProjectAndItsFolderRemembered)
{
    const TempDir folder;
    std::filesystem::create_directories(folder.path() / "images");
    host.project->SetPath(folder.path() / "plant.vxp");
    host.imagesFolder = folder.path() / "old";
    PageObserver observer;
    page->SetEditor(container.get(), &observer);
    Select({page});
    filePrompts.fileAnswers.push_back(QString::fromStdString((folder.path() / "images" / "tank.png").string()));
    QTest::mouseClick(ItemOf<DPropFile>(u"Page", u"Background image")->Button(), Qt::LeftButton);

    ASSERT_EQ(filePrompts.fileRequests.size(), 1u);
    EXPECT_EQ(filePrompts.fileRequests[0].folder.toStdString(), (folder.path() / "old").string());
    EXPECT_TRUE(filePrompts.fileRequests[0].mustExist);
    // "*" also offers a file without a dot in its name.
    EXPECT_EQ(filePrompts.fileRequests[0].filters, QStringList{"All files (*)"});
    EXPECT_EQ(ValueOf(*page, u"Page", u"Background image"), u"images/tank.png");
    EXPECT_EQ(page->GetBackgroundImage(), u"images/tank.png");
    EXPECT_EQ(host.imagesFolder, folder.path() / "images");
    EXPECT_GE(observer.changes, 1);
    EXPECT_EQ(UndoLabels(), std::vector<std::u16string>{u"Background image = images/tank.png"});
}

TEST_F(PropertiesPane, PageTransparencyIsClampedOnTheCanvasAndPageTypesStayUnique)
{
    CPage& other = host.project->AddPage(int32_t(target::PageType::Initial));
    Select({page});
    Type(ItemOf<DPropInt>(u"Page", u"Background transparency")->LineEdit(), "300");
    EXPECT_EQ(page->GetBackgroundTransparency(), 255);
    Choose(*ItemOf<DPropList>(u"Page", u"Page type"), "Initial");
    EXPECT_EQ(page->GetPageType(), int32_t(target::PageType::Initial));
    EXPECT_EQ(other.GetPageType(), int32_t(target::PageType::Normal));
}

TEST_F(PropertiesPane, APaletteColourIsStoredAndPushedToTheCanvas)
{
    PageObserver observer;
    page->SetEditor(container.get(), &observer);
    Select({page});
    auto* colour = ItemOf<DPropColor>(u"Page", u"Background color");
    ASSERT_NE(colour, nullptr);
    auto* red = colour->Menu()->findChild<QToolButton*>("color0000ff");
    ASSERT_NE(red, nullptr);
    QTest::mouseClick(red, Qt::LeftButton);
    EXPECT_EQ(page->GetBackgroundColor(), 0x0000FFu);
    EXPECT_EQ(colour->Button()->text(), "#ff0000");
    EXPECT_EQ(UndoLabels(), std::vector<std::u16string>{u"Background color = 255"});
    EXPECT_EQ(observer.changes, 1);
}

TEST_F(PropertiesPane, OtherColoursComeFromTheColourDialog)
{
    Select({page});
    auto* colour = ItemOf<DPropColor>(u"Page", u"Background color");
    DProp::SetDialogRunner([](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(QColor(0x12, 0x34, 0x56));
        return int(QDialog::Accepted);
    });
    colour->ChooseOther();
    EXPECT_EQ(page->GetBackgroundColor(), 0x563412u);
    DProp::SetDialogRunner([](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(Qt::white);
        return int(QDialog::Rejected);
    });
    colour->ChooseOther();
    EXPECT_EQ(page->GetBackgroundColor(), 0x563412u);
}

TEST_F(PropertiesPane, ListValuesChangeOnlyThroughTheirDialog)
{
    CEditorObject& indicator = Add(kIndicatorButton, u"Lamp");
    SetValue(indicator, u"Behavior", u"Nr of color states", u"2");
    Select({&indicator});
    auto* colours = ItemOf<DPropColors>(u"Behavior", u"Indicator colors");
    ASSERT_NE(colours, nullptr);
    EXPECT_TRUE(colours->LineEdit()->isReadOnly());
    int rows = 0;
    DProp::SetDialogRunner([&rows](QDialog& dialog) {
        auto& list = static_cast<CListColors&>(dialog);
        rows = list.Rows();
        list.SetColor(1, 0xABCDEF);
        list.accept();
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(colours->Button(), Qt::LeftButton);
    EXPECT_EQ(rows, 2);
    const std::u16string separator(1, u'\u0001');
    EXPECT_EQ(ValueOf(indicator, u"Behavior", u"Indicator colors"), u"ffff" + separator + u"abcdef" + separator);
    EXPECT_EQ(colours->LineEdit()->text().toStdU16String(), u"ffff" + separator + u"abcdef" + separator);
}

TEST_F(PropertiesPane, ALongTextIsEditedInItsDialog)
{
    CEditorObject& button = Add(kButton, u"A");
    Select({&button});
    auto* text = ItemOf<DPropMultiText>(u"Appearance", u"Text");
    DProp::SetDialogRunner([](QDialog& dialog) {
        auto& multitext = static_cast<CDlgMultitext&>(dialog);
        EXPECT_EQ(multitext.Text(), "button");
        multitext.Edit()->setPlainText("two\nlines");
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(text->Button(), Qt::LeftButton);
    EXPECT_EQ(ValueOf(button, u"Appearance", u"Text"), u"two\nlines");
}

TEST_F(PropertiesPane, TheGridGoesWithTheItemsItShows)
{
    CEditorObject& first = Add(kButton, u"A");
    CEditorObject& second = Add(kButton, u"B");
    Select({&first});
    QLineEdit* edit = ItemOf<DPropMultiText>(u"Appearance", u"Text")->LineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, "typed");
    // Another object going leaves the grid as it is.
    bar->OnSelectableGoing(second);
    EXPECT_FALSE(bar->Grid().IsEmpty());
    bar->OnSelectableGoing(first);
    EXPECT_TRUE(bar->Grid().IsEmpty());
    EXPECT_TRUE(bar->GetSelection().empty());
    container->RemoveAt(container->IndexOf(&first));
    // The editor that goes later ends its edit towards nothing.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(UndoLabels().empty());

    Select({&second});
    bar->OnSelectableGoing(*page);
    EXPECT_TRUE(bar->Grid().IsEmpty());
    // No view, no selection: nothing is shown.
    Select({&second});
    Select({});
    EXPECT_TRUE(bar->Grid().IsEmpty());
    EXPECT_TRUE(bar->GetSelection().empty());
}

} // namespace
} // namespace vx::test

namespace vx::test {
namespace {

// A selectable with a boolean property, which no object class declares.
class FlagOwner : public CSelectable {
public:
    explicit FlagOwner(std::u16string_view blink) : CSelectable(kButton)
    {
        ParsePropertyDefinitions(u"group,Behavior,bool,Blink,false,blink,Blinks when on,", DefinitionList::First);
        BuildProperties(DefinitionList::First);
        SetValue(*this, u"Behavior", u"Blink", blink);
    }
};

TEST_F(PropertiesPane, BooleansAreChosenAsTrueOrFalseAndAMixedOneShowsNeither)
{
    FlagOwner on(u"true");
    FlagOwner off(u"FALSE");
    Select({&off});
    auto* blink = ItemOf<DPropBool>(u"Behavior", u"Blink");
    ASSERT_NE(blink, nullptr);
    EXPECT_EQ(blink->Combo()->currentText(), "False");
    blink->Combo()->setFocus();
    QTest::keyClick(blink->Combo(), Qt::Key_Up);
    EXPECT_EQ(ValueOf(off, u"Behavior", u"Blink"), u"true");

    SetValue(off, u"Behavior", u"Blink", u"false");
    Select({&on, &off});
    blink = ItemOf<DPropBool>(u"Behavior", u"Blink");
    EXPECT_EQ(blink->Combo()->currentIndex(), -1);
    EnterAndLeave(blink->Combo());
    EXPECT_EQ(ValueOf(on, u"Behavior", u"Blink"), u"true");
    EXPECT_EQ(ValueOf(off, u"Behavior", u"Blink"), u"false");
}

TEST_F(PropertiesPane, TheDescriptionFollowsTheItemBeingEdited)
{
    CEditorObject& button = Add(kButton, u"Start");
    Select({&button});
    auto* size = ItemOf<DPropInt>(u"Appearance", u"Icon offset [%]");
    size->LineEdit()->setFocus();
    QTRY_VERIFY(bar->Grid().Description()->text().contains("Minimal icon offset"));
    EXPECT_TRUE(bar->Grid().Description()->text().contains("Icon offset [%]"));
}

} // namespace
} // namespace vx::test
