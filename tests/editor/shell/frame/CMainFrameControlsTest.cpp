// The ribbon's controls as a person uses them in the assembled editor: keys typed into
// each editable combo, a click on a colour swatch, "Other..." in the colour dialog, a drag
// on the transparency slider; each stores what the control shows.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "diagram/CommandId.h"
#include "diagram/view/DDiagramView.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/ribbon/RibbonPalette.h"
#include "editor/views/page/CChildViewPage.h"
#include "platform/ui/ribbon/CRibbonApplicationMenu.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonCategory.h"
#include "platform/ui/ribbon/CRibbonColourButton.h"
#include "tests/support/SliderDrag.h"
#include "tests/support/editor/ShellHarness.h"

namespace {

using vx::test::ShellHarness;

constexpr int32_t kTextType = 2;
const QRect kTextRect(10, 20, 100, 50);

// 0xBBGGRR, as the properties and the page keep colours.
uint32_t stored(QRgb rgb) { return uint32_t(qRed(rgb)) | uint32_t(qGreen(rgb)) << 8 | uint32_t(qBlue(rgb)) << 16; }

// A new project whose first page is open and active, holding one selected text object.
struct OpenPage {
    ShellHarness shell;
    CChildViewPage* view = nullptr;
    CPage* page = nullptr;

    OpenPage()
    {
        EXPECT_TRUE(shell.start());
        EXPECT_TRUE(shell.app->Commands().execute(ToInt(CommandId::FileNew)));
        page = &Project().GetPage(0);
        CEditorObject& text = page->AddObject(CEditorObject::CreateObject(kTextType, page));
        text.SetRect(kTextRect.left(), kTextRect.top(), kTextRect.right(), kTextRect.bottom());
        view = shell.frame().OpenPage(*page);
        EXPECT_TRUE(shell.activate());
        EXPECT_TRUE(ShellHarness::runUntil([&] { return view->GetPage() == page && shell.frame().GetActiveView() == view; }));
        view->GetContainer().SelectAt(0, true);
        shell.app->OnIdle();
    }

    CProject& Project() const { return *shell.app->GetProject(); }
    // The idle work of the application and the ribbon's update pass.
    void Idle() const
    {
        shell.app->OnIdle();
        Ribbon().UpdateControls();
    }
    // The tab holding the control comes to the front, as a person brings it.
    void ShowTabOf(const QWidget* control) const
    {
        for (int index = 0; index < Ribbon().CategoryCount(); ++index)
            if (Ribbon().Category(index).isAncestorOf(control))
                Ribbon().SetActiveCategory(index);
    }
    CRibbonBar& Ribbon() const { return *shell.frame().Ribbon(); }
    CEditorObject& Text() const { return *view->GetObjectAt(0); }
    int32_t TextFormat(std::u16string_view caption) const
    {
        const CPropertyBase* property = Text().GetFormat().FindProperty(u"Format", caption);
        return property ? property->GetInt() : -1;
    }
    template <class Widget>
    Widget* Control(CommandId id) const
    {
        return qobject_cast<Widget*>(Ribbon().ControlWidget(ToInt(id)));
    }
};

struct ComboCase {
    const char* name;
    CommandId id;
    QString typed;
    QString stored; // what the model holds after Enter
    QString shown;  // what the combo shows then
    std::function<QString(const OpenPage&)> read;
};

void PrintTo(const ComboCase& c, std::ostream* out) { *out << c.name; }

QString number(int32_t value) { return QString::number(value); }

class RibbonCombo : public ::testing::TestWithParam<ComboCase> {};

TEST_P(RibbonCombo, StoresWhatWasTypedClampedAndShowsIt)
{
    const ComboCase& c = GetParam();
    OpenPage open;
    auto* combo = open.Control<QComboBox>(c.id);
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(combo->isEditable());
    QLineEdit* edit = combo->lineEdit();
    open.ShowTabOf(combo);
    edit->setFocus();
    ASSERT_TRUE(ShellHarness::runUntil([&] { return edit->hasFocus(); }));
    edit->selectAll();
    QTest::keyClicks(edit, c.typed);
    EXPECT_EQ(edit->text(), c.typed) << "nothing completed";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(ShellHarness::runUntil([&] { return c.read(open) == c.stored; })) << c.read(open).toStdString();
    // The idle passes that follow keep what the combo shows.
    open.Idle();
    QApplication::processEvents();
    open.Idle();
    EXPECT_EQ(c.read(open), c.stored);
    EXPECT_EQ(edit->text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, RibbonCombo,
    ::testing::Values(
        ComboCase{"HoldFirstTenIsFifty", CommandId::HoldFirst, "10", "50", "50",
                  [](const OpenPage& o) { return number(o.Project().Settings().holdFirst); }},
        ComboCase{"HoldFirstHundredFifty", CommandId::HoldFirst, "150", "150", "150",
                  [](const OpenPage& o) { return number(o.Project().Settings().holdFirst); }},
        ComboCase{"HoldRepeat", CommandId::HoldRepeat, "25", "25", "25",
                  [](const OpenPage& o) { return number(o.Project().Settings().holdRepeat); }},
        ComboCase{"StartTimeOne", CommandId::ScreenSaverTime, "1", "1", "1",
                  [](const OpenPage& o) { return number(o.Project().Settings().SSstart); }},
        ComboCase{"FontSizeOne", CommandId::FontSize, "1", "1", "1",
                  [](const OpenPage& o) { return number(o.TextFormat(u"Size")); }},
        ComboCase{"FontSizePastTheLargest", CommandId::FontSize, "500", "200", "200",
                  [](const OpenPage& o) { return number(o.TextFormat(u"Size")); }},
        ComboCase{"ZoomTwenty", CommandId::Zoom, "20", "0.2", "20 %",
                  [](const OpenPage& o) { return QString::number(o.view->GetEditor().GetZoom()); }},
        ComboCase{"PageSizeSquare", CommandId::PageSize, "800", "800", "800",
                  [](const OpenPage& o) { return QString::fromStdU16String(o.Project().Settings().target.pageSize); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Opens the button's palette and clicks the swatch at index.
void clickSwatch(CRibbonColourButton& button, int index)
{
    button.menu()->popup(button.mapToGlobal(QPoint(0, button.height())));
    auto* swatch = button.menu()->findChild<QToolButton*>(QStringLiteral("swatch%1").arg(index));
    ASSERT_NE(swatch, nullptr);
    QTest::mouseClick(swatch, Qt::LeftButton);
}

// "Other..." in the button's menu, answered in the colour dialog with colour.
void chooseOther(CRibbonColourButton& button, QColor colour)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            dialog->setCurrentColor(colour);
            dialog->accept();
            answered = true;
            poll.stop();
        }
    });
    poll.start(10);
    QAction* other = nullptr;
    for (QAction* action : button.menu()->actions())
        if (action->text() == QStringLiteral("Other..."))
            other = action;
    ASSERT_NE(other, nullptr);
    other->trigger();
    EXPECT_TRUE(answered);
}

struct ColourCase {
    const char* name;
    CommandId id;
    std::function<uint32_t(const OpenPage&)> read;
};

void PrintTo(const ColourCase& c, std::ostream* out) { *out << c.name; }

class RibbonColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(RibbonColour, ASwatchAndOtherStoreTheColourChosen)
{
    const ColourCase& c = GetParam();
    OpenPage open;
    auto* button = open.Control<CRibbonColourButton>(c.id);
    ASSERT_NE(button, nullptr);
    open.ShowTabOf(button);
    ASSERT_TRUE(button->isEnabled());
    for (const int index : {6, 94}) {
        clickSwatch(*button, index);
        const uint32_t wanted = stored(RibbonPalette()[std::size_t(index)]);
        EXPECT_EQ(c.read(open), wanted) << "swatch " << index;
        open.Idle();
        EXPECT_EQ(c.read(open), wanted);
        EXPECT_EQ(stored(button->Colour().rgb()), wanted) << "the button keeps the colour";
    }
    chooseOther(*button, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(c.read(open), 0x563412u);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, RibbonColour,
    ::testing::Values(ColourCase{"PageColour", CommandId::PageColour,
                                 [](const OpenPage& o) { return o.page->GetBackgroundColor(); }},
                      ColourCase{"FontColour", CommandId::FontColour,
                                 [](const OpenPage& o) { return uint32_t(o.TextFormat(u"Color")); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CMainFrameControls, TheTransparencySliderDraggedToItsEndStoresOpaqueAndStaysThere)
{
    OpenPage open;
    auto* slider = open.Control<QSlider>(CommandId::PageTransparency);
    ASSERT_NE(slider, nullptr);
    open.ShowTabOf(slider);
    ASSERT_TRUE(slider->isVisible());
    ASSERT_EQ(open.page->GetBackgroundTransparency(), 0);
    vx::test::dragSlider(*slider, slider->width() + 20, [&] {
        // The idle pass runs while the handle is held.
        open.Idle();
    });
    EXPECT_EQ(open.page->GetBackgroundTransparency(), 255);
    ASSERT_TRUE(ShellHarness::runUntil([&] { return open.view->GetEditor().GetBackgroundTransparency() == 255; }));
    open.Idle();
    EXPECT_EQ(slider->value(), 100) << "it does not snap back";
}

TEST(CMainFrameControls, TriggerAndTimerAreInsertedAtOnceNeitherDrawnNorHit)
{
    for (const CommandId id : {CommandId::InsertTrigger, CommandId::InsertTimer}) {
        OpenPage open;
        QWidget* viewport = open.view->GetCanvas().viewport();
        const CDiagramRect empty{150, 150, 200, 200}; // a part of the page nothing covers
        const CDiagramRect onScreen = open.view->GetEditor().VirtualToScreen(empty);
        const QRect area(onScreen.left, onScreen.top, onScreen.right - onScreen.left, onScreen.bottom - onScreen.top);
        ASSERT_TRUE(viewport->rect().contains(area));
        open.view->GetContainer().UnselectAll();
        open.view->GetEditor().RedrawWindow();
        const QImage before = viewport->grab(area).toImage();

        auto* button = open.Control<QToolButton>(id);
        ASSERT_NE(button, nullptr);
        open.ShowTabOf(button);
        const int32_t count = open.view->GetContainer().GetSize();
        QTest::mouseClick(button, Qt::LeftButton);
        // At once, without a click on the canvas: at (0, 3000) in its minimum size, selected alone.
        ASSERT_EQ(open.view->GetContainer().GetSize(), count + 1);
        CEditorObject& added = *open.view->GetObjectAt(count);
        EXPECT_TRUE(added.IsInvisible());
        const CDiagramPoint minimum = added.GetMinimumSize();
        EXPECT_EQ(added.GetRect(), (CDiagramRect{0, 3000, minimum.x, 3000 + minimum.y}));
        EXPECT_TRUE(added.IsSelected());
        EXPECT_FALSE(open.Text().IsSelected());

        // Where it lies it is neither drawn nor hit by a click.
        added.SetRect(empty.left, empty.top, empty.right, empty.bottom);
        open.view->GetEditor().RedrawWindow();
        EXPECT_EQ(viewport->grab(area).toImage(), before);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, area.center());
        QApplication::processEvents();
        EXPECT_FALSE(added.IsSelected());
        EXPECT_EQ(open.view->GetContainer().GetSize(), count + 1) << "the click placed nothing";
    }
}

// The colour of a label's text: its pixel farthest from the label's background.
int inkDistance(QLabel& label)
{
    const QImage image = label.grab().toImage();
    const QColor background = label.palette().color(label.backgroundRole());
    int farthest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            farthest = std::max(farthest, std::abs(pixel.red() - background.red()) + std::abs(pixel.green() - background.green())
                                              + std::abs(pixel.blue() - background.blue()));
        }
    return farthest;
}

TEST(CMainFrameControls, DisabledLabelsAndMenuItemsLookDisabledInEveryLook)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    CRibbonBar& ribbon = *shell.frame().Ribbon();
    // Without a project "Hold trigger" is disabled; "First:" beside it has no command.
    auto* disabled = qobject_cast<QLabel*>(ribbon.ControlWidget(ToInt(CommandId::HoldPanelLabel)));
    QLabel* enabled = nullptr;
    for (QLabel* label : ribbon.findChildren<QLabel*>())
        if (label->text() == QStringLiteral("First:"))
            enabled = label;
    ASSERT_TRUE(disabled && enabled);
    for (int look = ToInt(CommandId::LookOffice2000); look <= ToInt(CommandId::LookOffice2007Aqua); ++look) {
        ASSERT_TRUE(shell.app->Commands().execute(look));
        shell.app->OnIdle();
        ribbon.UpdateControls();
        ASSERT_FALSE(disabled->isEnabled());
        EXPECT_LT(inkDistance(*disabled) * 4, inkDistance(*enabled) * 3) << "look " << look;
        // Menu items draw with the menu's palette.
        const QPalette menu = ribbon.ApplicationMenu().palette();
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            EXPECT_NE(menu.color(QPalette::Disabled, role), menu.color(QPalette::Active, role)) << "look " << look;
    }
}

} // namespace
