#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QScrollBar>
#include <cerrno>
#include <functional>
#include <csignal>
#include <cstdlib>

#include "diagram/CommandId.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/commands/CMainFrameCommands.h"
#include "editor/shell/commands/CTargetCommands.h"
#include "editor/views/actions/CActionsBar.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/CProjectBar.h"
#include "editor/project/page/CPage.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DPropCombo.h"
#include "editor/views/properties/DPropList.h"
#include "diagram/view/DDiagramView.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "tests/support/XvfbSession.h"
#include "tests/support/editor/EngineWindow.h"
#include "tests/support/editor/ShellHarness.h"
#include "tests/support/TestEnvironment.h"

// A person's whole path through the real editor on a private X server: New, a button and a
// numeric field inserted from the ribbon, the field bound to a new tag in the properties
// pane, a "Set tag" action on the button's release, Save As, Play; then the button is
// clicked in the engine's window and the field shows the new value. The scenario runs in
// a child process of this program on the X server; the parent keeps its pictures.

namespace {

namespace fs = std::filesystem;
using vx::test::EngineWindow;
using vx::test::ShellHarness;
using vx::test::findEngineWindow;

constexpr const char* kScenarioFolder = "VX_PLAYED_BUTTON_DIR";
constexpr int kTimeoutMs = 30000;
constexpr int kSetTag = 32881;
constexpr const char* kTagName = "counter";
constexpr const char* kValue = "42";
// Where the objects are drawn on the page, in page pixels.
const QRect kButtonRect(20, 20, 140, 60);
const QRect kFieldRect(20, 120, 140, 50);

bool xdotool(const QStringList& arguments) { return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0; }

bool clickAt(QPoint at)
{
    return xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}) && xdotool({"click", "1"});
}

bool clickWidget(QWidget* widget, QPoint inside = {-1, -1})
{
    if (!widget || !widget->isVisible())
        return false;
    return clickAt(widget->mapToGlobal(inside.x() < 0 ? widget->rect().center() : inside));
}

QImage grabScreen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

QPoint onScreen(CChildViewPage& view, int x, int y)
{
    const CDiagramRect client = view.GetEditor().VirtualToScreen({x, y, x + 1, y + 1});
    return view.GetCanvas().viewport()->mapToGlobal(QPoint(int(client.left), int(client.top)));
}

// Draws an object of the chosen insert kind from its rectangle's top left to its bottom right.
bool drawObject(CChildViewPage& view, const QRect& rect)
{
    const QPoint from = onScreen(view, rect.left(), rect.top());
    const QPoint to = onScreen(view, rect.left() + rect.width(), rect.top() + rect.height());
    if (!xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())}) || !xdotool({"mousedown", "1"}))
        return false;
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        if (!xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}))
            return false;
        ShellHarness::runUntil([] { return false; }, 50);
    }
    return xdotool({"mouseup", "1"});
}

// Clicks the ribbon's tab whose caption, without its "&", is name.
bool clickCategory(CRibbonBar& ribbon, const QString& name)
{
    auto* tabs = ribbon.findChild<QTabBar*>(QStringLiteral("ribbonTabs"));
    if (!tabs)
        return false;
    for (int index = 0; index < tabs->count(); ++index)
        if (tabs->tabText(index).remove(QLatin1Char('&')) == name)
            return clickWidget(tabs, tabs->tabRect(index).center()) &&
                   ShellHarness::runUntil([&] { return tabs->currentIndex() == index; });
    return false;
}

// Replaces a combo's text by typing, as a person does.
bool typeInto(QComboBox* box, const QString& text)
{
    return box && box->lineEdit() && clickWidget(box->lineEdit()) &&
           ShellHarness::runUntil([&] { return box->lineEdit()->hasFocus(); }) && xdotool({"key", "ctrl+a"}) &&
           xdotool({"type", "--delay", "30", text}) &&
           ShellHarness::runUntil([&] { return box->currentText() == text; });
}

// Pixels of rect that differ plainly between two pictures.
int changedPixels(const QImage& a, const QImage& b, const QRect& rect)
{
    int changed = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            changed += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 48;
        }
    return changed;
}

// Colours in rect: a drawn object holds more than one.
bool varied(const QImage& shot, const QRect& rect)
{
    const QRgb first = shot.pixel(rect.topLeft());
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (shot.pixel(x, y) != first)
                return true;
    return false;
}

TEST(PlayedButtonScenario, NewInsertBindActSavePlayClick)
{
    const char* folder = std::getenv(kScenarioFolder);
    if (!folder)
        GTEST_SKIP() << "run by PlayedButtonEndToEnd under its X server";
    const fs::path dir(folder);
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    ASSERT_TRUE(ShellHarness::runUntil([&] { return shell.app->Splash() == nullptr; }, kTimeoutMs));
    ASSERT_TRUE(shell.activate());
    CMainFrame& frame = shell.frame();
    // The test program does not lie beside the engine as the editor does.
    frame.FrameCommands().Target().SetProgramFolder(vx::test::programPath("VX-Engine").parent_path());
    CRibbonBar& ribbon = *frame.Ribbon();

    ASSERT_TRUE(xdotool({"key", "ctrl+n"}));
    ASSERT_TRUE(ShellHarness::runUntil(
        [&] { return shell.app->GetProject() && shell.app->GetProject()->GetPageCount() == 1; }, kTimeoutMs))
        << "New made no project with a page";
    const QString pageName = QString::fromStdU16String(shell.app->GetProject()->GetPage(0).GetName());
    CChildViewPage* view = nullptr;
    const auto viewOpen = [&] {
        view = frame.GetActiveView();
        return view && view->GetPage();
    };
    if (!ShellHarness::runUntil(viewOpen, 2000)) {
        // The page opens with a double click on its item in the project pane.
        CPaneTree* tree = frame.ProjectBar()->Tree();
        const QList<QTreeWidgetItem*> items = tree->findItems(pageName, Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << pageName.toStdString();
        tree->scrollToItem(items[0]);
        const QPoint at = tree->viewport()->mapToGlobal(tree->visualItemRect(items[0]).center());
        ASSERT_TRUE(xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}));
        ASSERT_TRUE(xdotool({"click", "--repeat", "2", "--delay", "80", "1"}));
    }
    ASSERT_TRUE(ShellHarness::runUntil(viewOpen, kTimeoutMs)) << "the new page did not open";
    ShellHarness::runUntil([&] { return view->GetCanvas().viewport()->isVisible(); });

    // The Home tab's Insert panel: Button, then Numeric field, each drawn on the canvas.
    ASSERT_TRUE(clickCategory(ribbon, QStringLiteral("Home")));
    ASSERT_TRUE(clickWidget(ribbon.ControlWidget(ToInt(CommandId::InsertButton))));
    ASSERT_TRUE(drawObject(*view, kButtonRect));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return view->GetContainer().GetSize() == 1; }, kTimeoutMs));
    CEditorObject* button = view->GetObjectAt(0);
    ASSERT_TRUE(clickWidget(ribbon.ControlWidget(ToInt(CommandId::InsertNumericField))));
    ASSERT_TRUE(drawObject(*view, kFieldRect));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return view->GetContainer().GetSize() == 2; }, kTimeoutMs));
    CEditorObject* field = view->GetObjectAt(1);
    ASSERT_TRUE(xdotool({"key", "Escape"}));

    // The field is selected: its value tag becomes a new tag through "<new tag>".
    CPropertyGrid& grid = frame.PropertiesBar()->Grid();
    DPropList* valueTag = nullptr;
    ASSERT_TRUE(ShellHarness::runUntil(
        [&] {
            valueTag = field->IsSelected() ? dynamic_cast<DPropList*>(grid.FindItem(u"Data", u"Value tag")) : nullptr;
            return valueTag && valueTag->Combo() && valueTag->Combo()->isVisible();
        },
        kTimeoutMs))
        << "the properties pane shows no value tag for the field";
    QComboBox* combo = valueTag->Combo();
    // Scrolled into sight as a person scrolls the pane.
    QAbstractItemView* rows = grid.View();
    const std::function<void(const QModelIndex&)> reveal = [&](const QModelIndex& parent) {
        for (int row = 0; row < rows->model()->rowCount(parent); ++row)
            for (int column = 0; column < rows->model()->columnCount(parent); ++column) {
                const QModelIndex index = rows->model()->index(row, column, parent);
                if (rows->indexWidget(index) == combo)
                    rows->scrollTo(index, QAbstractItemView::PositionAtCenter);
                if (column == 0)
                    reveal(index);
            }
    };
    reveal({});
    ShellHarness::runUntil([&] {
        return rows->viewport()->rect().contains(QRect(combo->mapTo(rows->viewport(), QPoint(0, 0)), combo->size()));
    });
    // Into the box, then its list opened from the keyboard: the pane may clip the arrow.
    ASSERT_TRUE(clickWidget(combo->lineEdit()));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return combo->lineEdit()->hasFocus(); }, kTimeoutMs));
    ASSERT_TRUE(xdotool({"key", "alt+Down"}));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return combo->view()->isVisible(); }, kTimeoutMs));
    const int newTag = combo->findText(QStringLiteral("<new tag>"));
    ASSERT_GE(newTag, 0);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(clickWidget(list->viewport(), list->visualRect(combo->model()->index(newTag, 0)).center()));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return valueTag->IsNewTagPending() && combo->lineEdit()->hasFocus(); },
                                       kTimeoutMs));
    ASSERT_TRUE(xdotool({"type", "--delay", "30", kTagName}));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    CProject& project = *shell.app->GetProject();
    ASSERT_TRUE(ShellHarness::runUntil([&] { return project.Tags().FindByOriginalName(u"counter") >= 0; }, kTimeoutMs));

    // The button is selected on the canvas and gets "Set tag" on release from the Actions tab.
    ASSERT_TRUE(clickAt(onScreen(*view, kButtonRect.center().x(), kButtonRect.center().y())));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return button->IsSelected() && !field->IsSelected(); }, kTimeoutMs));
    CActionsBar& actions = *frame.ActionsBar();
    ASSERT_TRUE(ShellHarness::runUntil([&] { return actions.GetTarget() == button; }, kTimeoutMs));
    ASSERT_TRUE(clickCategory(ribbon, QStringLiteral("Actions")));
    ASSERT_TRUE(clickWidget(ribbon.ControlWidget(kSetTag)));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return actions.Editor().Entries().size() == 1; }, kTimeoutMs));
    ASSERT_TRUE(typeInto(actions.ParameterBox(0), QString::fromLatin1(kTagName)));
    ASSERT_TRUE(typeInto(actions.ParameterBox(1), QString::fromLatin1(kValue)));
    ASSERT_TRUE(ShellHarness::runUntil(
        [&] {
            const CActionsGridData& entry = actions.Editor().Entries().front();
            return entry.parameters.find(u"42") != std::u16string::npos;
        },
        kTimeoutMs));
    EXPECT_EQ(actions.Editor().Entries().front().trigger, u"On touch up");
    EXPECT_EQ(actions.Editor().Entries().front().action, u"Set tag");
    grabScreen().save(QString::fromStdString((dir / "editor.png").string()));

    // Save As: the file dialog is scripted, the command is the application menu's.
    const fs::path saved = dir / "played.vxp";
    shell.prompts.fileAnswers.push_back(QString::fromStdString(saved.string()));
    ASSERT_TRUE(shell.app->Commands().execute(ToInt(CommandId::FileSaveAs)));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return !project.IsModified() && fs::exists(saved); }, kTimeoutMs));

    // Play from the Target tab.
    ASSERT_TRUE(clickCategory(ribbon, QStringLiteral("Target")));
    ASSERT_TRUE(clickWidget(ribbon.ControlWidget(ToInt(CommandId::Play))));
    CTargetCommands& target = frame.FrameCommands().Target();
    ASSERT_TRUE(ShellHarness::runUntil([&] { return target.LastEnginePid().has_value(); }, kTimeoutMs))
        << "Play started no engine";
    const pid_t engine = *target.LastEnginePid();
    EngineWindow window;
    EXPECT_TRUE(ShellHarness::runUntil(
        [&] {
            window = findEngineWindow();
            return window.id != 0 && window.rect.width() > 0;
        },
        kTimeoutMs))
        << "the engine's window never showed";
    const QRect fieldOnScreen = kFieldRect.translated(window.rect.topLeft()).intersected(window.rect);
    const QRect buttonOnScreen = kButtonRect.translated(window.rect.topLeft()).intersected(window.rect);
    // The page is drawn and still: two grabs agree and both objects show.
    QImage before;
    EXPECT_TRUE(ShellHarness::runUntil(
        [&] {
            const QImage shot = grabScreen();
            const bool settled = !before.isNull() && varied(shot, fieldOnScreen) && varied(shot, buttonOnScreen) &&
                                 changedPixels(before, shot, window.rect) == 0;
            before = shot;
            return settled;
        },
        kTimeoutMs))
        << "the engine never drew its page";
    before.save(QString::fromStdString((dir / "before.png").string()));

    EXPECT_TRUE(clickAt(buttonOnScreen.center()));
    QImage after;
    EXPECT_TRUE(ShellHarness::runUntil(
        [&] {
            after = grabScreen();
            return changedPixels(before, after, fieldOnScreen) > 10;
        },
        kTimeoutMs))
        << "the field did not change after the click";
    after.save(QString::fromStdString((dir / "after.png").string()));

    ASSERT_EQ(::kill(engine, SIGTERM), 0);
    EXPECT_TRUE(ShellHarness::runUntil([engine] { return ::kill(engine, 0) != 0 && errno == ESRCH; }, kTimeoutMs))
        << "the engine was not reaped";
}

TEST(PlayedButtonEndToEnd, AButtonDesignedInTheEditorSetsTheFieldsTagInThePlayedEngine)
{
    ASSERT_TRUE(fs::exists(vx::test::programPath("VX-Engine"))) << "the engine is built with the editor";
    vx::test::XvfbSession x(1280, 900);
    ASSERT_TRUE(x.isRunning());
    vx::test::TempDir dir;
    EXPECT_EQ(x.runThisProgram("PlayedButtonScenario.NewInsertBindActSavePlayClick", kScenarioFolder, dir.path(),
                               4 * kTimeoutMs),
              0)
        << "the scenario failed (its output is above)";
    vx::test::keepScreenshots(dir.path(), {{"editor.png", "played_button_editor.png"},
                                           {"before.png", "played_button_before.png"},
                                           {"after.png", "played_button_after.png"}});
}

} // namespace
