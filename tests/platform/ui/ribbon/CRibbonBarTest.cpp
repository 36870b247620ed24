#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "platform/ui/CommandTable.h"
#include "platform/ui/ribbon/CRibbonApplicationMenu.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "platform/ui/ribbon/CRibbonColourButton.h"
#include "platform/ui/ribbon/CRibbonCustomizeDialog.h"
#include "platform/ui/ribbon/CRibbonGallery.h"
#include "platform/ui/ribbon/CRibbonKeyTips.h"
#include "platform/ui/ribbon/CRibbonPanel.h"
#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"
#include "platform/ui/ribbon/RibbonLabel.h"
#include "tests/support/SliderDrag.h"

namespace {

enum Id { kButton = 1001, kCheck, kEdit, kCombo, kZoom, kSlider, kColour, kGallery, kNobody, kLabel, kSave, kUndo };

// Runs a real event loop, which goes idle whenever it would wait, until condition holds or
// a few seconds have passed; whether it held.
template <class Condition>
bool runUntil(Condition&& condition)
{
    QEventLoop loop;
    QTimer check;
    QElapsedTimer elapsed;
    elapsed.start();
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition() || elapsed.elapsed() > 5000)
            loop.quit();
    });
    check.start(10);
    loop.exec();
    return condition();
}

constexpr QRgb kPalette[] = {0xFF0000, 0x00FF00, 0x0000FF};

// A ribbon of one category and panel holding one control of each kind, over a table
// whose handlers record what ran and whose update handlers answer from the fields below.
struct RibbonFixture : testing::Test {
    CommandTable table;
    CommandTarget target;
    CRibbonBar bar{table};
    std::vector<int> ran;
    bool buttonEnabled = true;
    bool checked = false;
    QString editText = QStringLiteral("10");

    QToolButton* button = nullptr;
    QCheckBox* check = nullptr;
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;
    QComboBox* zoom = nullptr;
    QSlider* slider = nullptr;
    CRibbonColourButton* colour = nullptr;
    CRibbonGallery* gallery = nullptr;

    RibbonFixture()
    {
        for (int id : {kButton, kCheck, kEdit, kCombo, kZoom, kSlider, kColour, kGallery, kLabel, kSave, kUndo})
            target.add(id, [this, id] { ran.push_back(id); });
        target.add(kButton, [this] { ran.push_back(kButton); }, [this](CommandState& state) { state.enabled = buttonEnabled; });
        target.add(kCheck, [this] { ran.push_back(kCheck); }, [this](CommandState& state) { state.checked = checked; });
        target.add(kEdit, [this] { ran.push_back(kEdit); }, [this](CommandState& state) { state.text = editText; });
        table.setActive(CommandLevel::MainFrame, &target);

        CRibbonPanel& panel = bar.AddCategory(QStringLiteral("&Home"), {1, 2}).AddPanel(QStringLiteral("Panel"));
        button = panel.AddButton(kButton, QStringLiteral("Paste\nv"), -1, RibbonButtonSize::Large);
        check = panel.AddCheckBox(kCheck, QStringLiteral("Visible"));
        edit = panel.AddEdit(kEdit, QStringLiteral("X"), 60);
        combo = panel.AddCombo(kCombo, {QStringLiteral("none"), QStringLiteral("normal")}, 60, RibbonComboKind::List);
        zoom = panel.AddCombo(kZoom, {QStringLiteral("50%"), QStringLiteral("100%")}, 70, RibbonComboKind::Editable, {50, 100});
        slider = panel.AddSlider(kSlider, 0, 100);
        colour = panel.AddColourButton(kColour, {}, kPalette);
        gallery = panel.AddGallery(kGallery, QStringLiteral("Style"), {{QImage(), QStringLiteral("Lacquer")}, {QImage(), QStringLiteral("Dune")}});
        panel.AddButton(kNobody, QStringLiteral("Nobody"), -1);
        panel.AddLabel(QStringLiteral("Hold trigger"), -1, kLabel);
        bar.resize(900, 160);
        bar.show();
    }
};

TEST(RibbonLabel, TheKeyTipFollowsTheLineFeed)
{
    const RibbonLabel paste = SplitRibbonLabel(QStringLiteral("Paste\nv"));
    EXPECT_EQ(paste.text, QStringLiteral("Paste"));
    EXPECT_EQ(paste.keyTip, QStringLiteral("v"));
    const RibbonLabel plain = SplitRibbonLabel(QStringLiteral("Play"));
    EXPECT_EQ(plain.text, QStringLiteral("Play"));
    EXPECT_TRUE(plain.keyTip.isEmpty());
}

TEST_F(RibbonFixture, ButtonsShowTheirLabelWithoutTheKeyTipAndRunTheirCommand)
{
    EXPECT_EQ(button->text(), QStringLiteral("Paste"));
    EXPECT_EQ(bar.KeyTip(kButton), QStringLiteral("v"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(ran, std::vector<int>{kButton});
}

TEST_F(RibbonFixture, ControlsFollowTheirUpdateState)
{
    buttonEnabled = false;
    checked = true;
    editText = QStringLiteral("50");
    bar.UpdateControls();
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(edit->text(), QStringLiteral("50"));
    // Nobody serves it: disabled, as is a label whose command has no handler.
    EXPECT_FALSE(bar.ControlWidget(kNobody)->isEnabled());
    EXPECT_TRUE(bar.ControlWidget(kLabel)->isEnabled());

    buttonEnabled = true;
    checked = false;
    bar.UpdateControls();
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(check->isChecked());
    // The idle pass changes what the controls show, and runs no command.
    EXPECT_TRUE(ran.empty());
}

TEST_F(RibbonFixture, TheBarTakesItsStateWhenTheEventLoopGoesIdle)
{
    buttonEnabled = false;
    EXPECT_TRUE(runUntil([this] { return !button->isEnabled(); }));
    buttonEnabled = true;
    EXPECT_TRUE(runUntil([this] { return button->isEnabled(); }));
}

TEST_F(RibbonFixture, AClickOnADisabledButtonRunsNothing)
{
    buttonEnabled = false;
    bar.UpdateControls();
    QTest::mouseClick(button, Qt::LeftButton);
    bar.Execute(kButton, button);
    EXPECT_TRUE(ran.empty());
}

TEST_F(RibbonFixture, AnEditActsOnEnterWithWhatWasTyped)
{
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1234"));
    EXPECT_TRUE(ran.empty());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(ran, std::vector<int>{kEdit});
    EXPECT_EQ(bar.ControlText(kEdit), QStringLiteral("1234"));
}

TEST_F(RibbonFixture, TheIdlePassLeavesAnEditTheUserIsTypingIn)
{
    QApplication::setActiveWindow(&bar);
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return edit->hasFocus(); }));
    edit->setText(QStringLiteral("77"));
    editText = QStringLiteral("10");
    bar.UpdateControls();
    EXPECT_EQ(edit->text(), QStringLiteral("77"));
}

TEST_F(RibbonFixture, AComboActsOnAListChoice)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(ran, std::vector<int>{kCombo});
    EXPECT_EQ(bar.ControlText(kCombo), QStringLiteral("normal"));
    EXPECT_EQ(bar.ControlValue(kCombo), 1);
}

TEST_F(RibbonFixture, AnEditableComboActsOnEnterAndAnswersItsItemData)
{
    zoom->setFocus();
    zoom->lineEdit()->clear();
    QTest::keyClicks(zoom->lineEdit(), QStringLiteral("50%"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ran.empty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, std::vector<int>{kZoom});
    EXPECT_EQ(bar.ControlData(kZoom).toInt(), 50);
    // A typed text that is no item acts too, and has no item data.
    zoom->lineEdit()->clear();
    QTest::keyClicks(zoom->lineEdit(), QStringLiteral("37%"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return ran.size() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{kZoom, kZoom}));
    EXPECT_EQ(bar.ControlText(kZoom), QStringLiteral("37%"));
    EXPECT_FALSE(bar.ControlData(kZoom).isValid());
}

TEST_F(RibbonFixture, ASliderRunsItsCommandWhenMovedButNotWhenSet)
{
    bar.SetControlValue(kSlider, 40);
    EXPECT_TRUE(ran.empty());
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(ran, std::vector<int>{kSlider});
    EXPECT_EQ(bar.ControlValue(kSlider), 41);
}

TEST_F(RibbonFixture, AColourFromThePaletteIsKeptAndRunsTheCommand)
{
    ASSERT_EQ(colour->Palette().size(), std::size(kPalette));
    auto* swatch = colour->menu()->findChild<QToolButton*>(QStringLiteral("swatch1"));
    ASSERT_NE(swatch, nullptr);
    swatch->click();
    EXPECT_EQ(ran, std::vector<int>{kColour});
    EXPECT_EQ(bar.ControlColour(kColour), QColor(0x00, 0xFF, 0x00));

    // "Other..." asks the chooser; a cancelled choice changes nothing.
    bar.SetColourChooser([](const QColor&, QWidget*) { return QColor(); });
    colour->ChooseOther();
    EXPECT_EQ(ran.size(), 1u);
    bar.SetColourChooser([](const QColor&, QWidget*) { return QColor(0x12, 0x34, 0x56); });
    colour->ChooseOther();
    EXPECT_EQ(ran.size(), 2u);
    EXPECT_EQ(bar.ControlColour(kColour), QColor(0x12, 0x34, 0x56));
}

TEST_F(RibbonFixture, AGalleryRunsItsCommandOnAChoiceAndShowsTheNamedItem)
{
    ASSERT_EQ(gallery->count(), 2);
    EXPECT_EQ(gallery->item(1)->toolTip(), QStringLiteral("Dune"));
    const QRect second = gallery->visualItemRect(gallery->item(1));
    QTest::mouseClick(gallery->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(ran, std::vector<int>{kGallery});
    EXPECT_EQ(bar.ControlValue(kGallery), 1);

    bar.SetControlText(kGallery, QStringLiteral("Lacquer"));
    EXPECT_EQ(gallery->ChosenIndex(), 0);
    bar.SetControlText(kGallery, {});
    EXPECT_EQ(gallery->ChosenIndex(), -1);
    EXPECT_EQ(ran.size(), 1u);
}

TEST_F(RibbonFixture, TheApplicationMenuRunsItsItemsAndOpensRecentFiles)
{
    CRibbonApplicationMenu& menu = bar.ApplicationMenu();
    QAction* save = menu.AddCommand(kSave, QStringLiteral("&Save"), -1);
    QMenu* sub = menu.AddSubMenu(kUndo, QStringLiteral("&New"), -1);
    menu.AddSubLabel(*sub, QStringLiteral("New project with selected preset"));
    QAction* preset = menu.AddSubCommand(*sub, kButton, QStringLiteral("a"));
    save->trigger();
    preset->trigger();
    EXPECT_EQ(ran, (std::vector<int>{kSave, kButton}));
    EXPECT_EQ(menu.FindItem(kButton), preset);

    std::vector<QString> opened;
    menu.AddRecentFiles(QStringLiteral("Recent Documents"));
    menu.SetRecentFileHandler([&opened](const QString& path) { opened.push_back(path); });
    menu.SetRecentFiles({QStringLiteral("/p/one.vxp"), QStringLiteral("/p/two.vxp")});
    menu.OpenRecentFile(1);
    menu.OpenRecentFile(2);
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("/p/two.vxp")});
}

TEST_F(RibbonFixture, TheQuickAccessBarShowsSomeCommandsAndListsTheOthers)
{
    bar.RegisterCommand(kSave, QStringLiteral("&Save"), {});
    bar.RegisterCommand(kUndo, QStringLiteral("Undo"), {});
    CRibbonQuickAccessBar& quick = bar.QuickAccess();
    quick.AddCommand(kSave, QuickAccessPlace::Listed);
    quick.AddCommand(kUndo, QuickAccessPlace::Shown);
    quick.AddCommand(kButton, QuickAccessPlace::Shown);
    EXPECT_EQ(quick.CommandIds(), (std::vector<int>{kSave, kUndo, kButton}));
    EXPECT_EQ(quick.ShownCommandIds(), (std::vector<int>{kUndo, kButton}));
    EXPECT_EQ(quick.ButtonAction(kSave)->text(), QStringLiteral("Save"));

    quick.SetShownCommands({kButton, kSave});
    EXPECT_EQ(quick.ShownCommandIds(), (std::vector<int>{kButton, kSave}));
    quick.ButtonAction(kSave)->trigger();
    EXPECT_EQ(ran, std::vector<int>{kSave});

    // The customise menu's "More Commands..." is the ribbon's customise request.
    int requests = 0;
    bar.SetCustomizeHandler([&requests] { ++requests; });
    quick.CustomizeMenu()->actions().last()->trigger();
    EXPECT_EQ(requests, 1);
}

TEST_F(RibbonFixture, AListOfStepsRunsItsCommandForTheStepsChosen)
{
    bar.AddHiddenCommand(kUndo, QStringLiteral("Undo"), {}, RibbonActionList::Steps);
    bar.QuickAccess().AddCommand(kUndo, QuickAccessPlace::Shown);
    QStringList history{QStringLiteral("Move"), QStringLiteral("Name = a")};
    bar.SetActionListSource(kUndo, [&history] { return history; });
    auto* list = bar.QuickAccess().findChild<QMenu*>(QStringLiteral("steps%1").arg(kUndo));
    ASSERT_NE(list, nullptr);

    // The list is read when it opens.
    history << QStringLiteral("Text = b");
    emit list->aboutToShow();
    ASSERT_EQ(list->actions().size(), 3);
    EXPECT_EQ(list->actions()[2]->text(), QStringLiteral("Text = b"));
    list->actions()[1]->trigger();
    EXPECT_EQ(ran, std::vector<int>{kUndo});
    EXPECT_EQ(bar.ActionSteps(kUndo), 2);
    // A plain click is one step.
    bar.QuickAccess().ButtonAction(kUndo)->trigger();
    EXPECT_EQ(bar.ActionSteps(kUndo), 1);
    EXPECT_EQ(ran.size(), 2u);
    bar.QuickAccess().SetShownCommands({});
    EXPECT_FALSE(bar.QuickAccess().IsShown(kUndo));
    bar.QuickAccess().SetShownCommands({kUndo});
    EXPECT_TRUE(bar.QuickAccess().IsShown(kUndo));
}

TEST_F(RibbonFixture, TheCustomizeDialogGivesTheQuickAccessBarItsChoice)
{
    bar.RegisterCommand(kSave, QStringLiteral("&Save"), {});
    bar.QuickAccess().AddCommand(kSave, QuickAccessPlace::Shown);
    CRibbonCustomizeDialog dialog(bar, QStringLiteral("Options"),
                                  {{QStringLiteral("Popular Commands"), {kSave, kButton}}, {QStringLiteral("All Commands"), {kButton, kCheck, kSave}}});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(dialog.ListedCommands(), (std::vector<int>{kSave, kButton}));
    dialog.ShowCategory(1);
    EXPECT_EQ(dialog.ListedCommands(), (std::vector<int>{kButton, kCheck, kSave}));
    dialog.AddCommand(kButton);
    dialog.AddCommand(kButton);
    dialog.RemoveCommand(kSave);
    EXPECT_EQ(dialog.ChosenCommands(), std::vector<int>{kButton});
    // Nothing changes before OK.
    EXPECT_EQ(bar.QuickAccess().ShownCommandIds(), std::vector<int>{kSave});
    dialog.Apply();
    EXPECT_EQ(bar.QuickAccess().ShownCommandIds(), std::vector<int>{kButton});
}

} // namespace

namespace {

TEST_F(RibbonFixture, AltAloneShowsTheKeyTipsAndATipPressesItsControl)
{
    QApplication::setActiveWindow(&bar);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bar));
    EXPECT_FALSE(bar.KeyTips().IsShown());
    QTest::keyPress(&bar, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&bar, Qt::Key_Alt, Qt::NoModifier);
    ASSERT_TRUE(bar.KeyTips().IsShown());
    QTest::keyClick(&bar, Qt::Key_V);
    EXPECT_FALSE(bar.KeyTips().IsShown());
    EXPECT_EQ(ran, std::vector<int>{kButton});

    // Escape leaves them, and a plain key then is a plain key.
    QTest::keyPress(&bar, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&bar, Qt::Key_Alt, Qt::NoModifier);
    ASSERT_TRUE(bar.KeyTips().IsShown());
    QTest::keyClick(&bar, Qt::Key_Escape);
    EXPECT_FALSE(bar.KeyTips().IsShown());
    QTest::keyClick(&bar, Qt::Key_V);
    EXPECT_EQ(ran.size(), 1u);
    // Alt with another key (a shortcut) shows no tips.
    QTest::keyPress(&bar, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(&bar, Qt::Key_H, Qt::AltModifier);
    QTest::keyRelease(&bar, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_FALSE(bar.KeyTips().IsShown());
}

} // namespace

namespace {

TEST_F(RibbonFixture, AClickOnAnItemWithSubItemsRunsItsOwnCommand)
{
    CRibbonApplicationMenu& menu = bar.ApplicationMenu();
    QMenu* sub = menu.AddSubMenu(kSave, QStringLiteral("&New"), -1);
    menu.AddSubCommand(*sub, kUndo, QStringLiteral("a"));
    menu.popup(bar.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const QRect item = menu.actionGeometry(menu.FindItem(kSave));
    QTest::mouseClick(&menu, Qt::LeftButton, {}, item.center());
    EXPECT_EQ(ran, std::vector<int>{kSave});
    EXPECT_FALSE(menu.isVisible());
}

// Update handlers that write the model's value into their control, as the page view's do;
// the handlers store what the control shows.
struct ModelFixture : RibbonFixture {
    QColor colourModel = QColor(0x00, 0x00, 0xFF);
    int positionModel = 0;

    ModelFixture()
    {
        target.add(kColour, [this] { colourModel = bar.ControlColour(kColour); },
                   [this](CommandState&) { bar.SetControlColour(kColour, colourModel); }, ControlKind::Color);
        target.add(kSlider, [this] { positionModel = bar.ControlValue(kSlider); },
                   [this](CommandState&) { bar.SetControlValue(kSlider, positionModel); }, ControlKind::Slider);
        bar.UpdateControls();
    }

};

TEST_F(ModelFixture, ASwatchClickedIsTheColourTheCommandStores)
{
    colour->menu()->popup(colour->mapToGlobal(QPoint(0, colour->height())));
    auto* swatch = colour->menu()->findChild<QToolButton*>(QStringLiteral("swatch0"));
    ASSERT_NE(swatch, nullptr);
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(colourModel, QColor(0xFF, 0x00, 0x00));
    bar.UpdateControls();
    EXPECT_EQ(colour->Colour(), QColor(0xFF, 0x00, 0x00));

    bar.SetColourChooser([](const QColor&, QWidget*) { return QColor(0x12, 0x34, 0x56); });
    colour->ChooseOther();
    EXPECT_EQ(colourModel, QColor(0x12, 0x34, 0x56));
}

TEST_F(ModelFixture, ASliderDraggedToItsEndStoresItsEndAndStaysThere)
{
    vx::test::dragSlider(*slider, slider->width() + 40, [this] {
        ASSERT_TRUE(slider->isSliderDown());
        // The idle pass while the handle is held leaves it where the user has it.
        bar.UpdateControls();
        EXPECT_GT(slider->sliderPosition(), 20);
    });
    EXPECT_EQ(positionModel, 100);
    bar.UpdateControls();
    EXPECT_EQ(slider->value(), 100);
}

TEST_F(RibbonFixture, AnEditableComboKeepsWhatWasTypedAndActsOnceOnEnter)
{
    zoom->setFocus();
    struct Case {
        QString typed;
        bool item; // an item of the list: Enter also activates it
    };
    for (const Case& c : {Case{QStringLiteral("10"), false}, Case{QStringLiteral("5"), false}, Case{QStringLiteral("100%"), true}}) {
        ran.clear();
        zoom->lineEdit()->clear();
        QTest::keyClicks(zoom->lineEdit(), c.typed);
        EXPECT_EQ(zoom->lineEdit()->text(), c.typed) << "nothing is completed";
        QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ran.empty(); }));
        QCoreApplication::processEvents();
        EXPECT_EQ(ran, std::vector<int>{kZoom}) << c.typed.toStdString();
        EXPECT_EQ(bar.ControlText(kZoom), c.typed);
        EXPECT_EQ(bar.ControlData(kZoom).isValid(), c.item);
    }
}

} // namespace
