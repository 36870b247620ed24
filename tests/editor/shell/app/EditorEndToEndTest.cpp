#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <cstdlib>

#include "diagram/CommandId.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProject.h"
#include "editor/project/wrapper/CProjectFileWrapper.h"
#include "editor/shell/frame/CPageWindowList.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/CProjectBar.h"
#include "diagram/view/DDiagramView.h"
#include "tests/support/XvfbSession.h"
#include "tests/support/editor/ShellHarness.h"
#include "tests/support/TestEnvironment.h"

// A person's path through the real editor on a private X server: open the sample project
// with Ctrl+O, drag an object with the mouse, save with Ctrl+S, open the file again. The
// scenario runs in a child process of this program on the X server (the test process
// itself runs offscreen); the parent starts the server and the child and keeps its pictures.

namespace {

namespace fs = std::filesystem;
using vx::test::ShellHarness;

constexpr const char* kScenarioFolder = "VX_EDITOR_SCENARIO_DIR";
constexpr int kTimeoutMs = 60000;
// The drag, in screen pixels; at 100 % zoom the object moves as far on its page.
constexpr int kDragX = 24;
constexpr int kDragY = 16;
// The sample's "text-1": white words on the grey page.
const CDiagramRect kTextRect{140, 10, 260, 110};
// A block over its words that its neighbours cover neither before nor after the drag.
constexpr int kBlockLeft = 35, kBlockTop = 30, kBlockWidth = 50, kBlockHeight = 40;

bool xdotool(const QStringList& arguments) { return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0; }

QImage grabScreen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

CEditorObject* objectNamed(CChildViewPage& view, std::u16string_view name)
{
    for (int32_t index = 0; index < view.GetContainer().GetSize(); ++index)
        if (CEditorObject* object = view.GetObjectAt(index);
            object && CObjectNames::GetName(*object, NameKind::Current) == name)
            return object;
    return nullptr;
}

// Where a point of the page lies on the screen.
QPoint onScreen(CChildViewPage& view, int x, int y)
{
    const CDiagramRect client = view.GetEditor().VirtualToScreen({x, y, x + 1, y + 1});
    return view.GetCanvas().viewport()->mapToGlobal(QPoint(client.left, client.top));
}

bool sameBlock(const QImage& a, QPoint atA, const QImage& b, QPoint atB)
{
    for (int y = 0; y < kBlockHeight; ++y)
        for (int x = 0; x < kBlockWidth; ++x) {
            const QRgb p = a.pixel(atA + QPoint(x, y)), q = b.pixel(atB + QPoint(x, y));
            if (std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 || std::abs(qBlue(p) - qBlue(q)) > 8)
                return false;
        }
    return true;
}

// The words are drawn: the block holds light pixels.
bool drawn(const QImage& shot, QPoint at)
{
    int light = 0;
    for (int y = 0; y < kBlockHeight; ++y)
        for (int x = 0; x < kBlockWidth; ++x)
            light += qGray(shot.pixel(at + QPoint(x, y))) > 0xE0;
    return light > 20;
}

// The scenario itself; skipped unless the parent below started it.
TEST(EditorEndToEndScenario, OpenDragSaveReopen)
{
    const char* folder = std::getenv(kScenarioFolder);
    if (!folder)
        GTEST_SKIP() << "run by EditorEndToEnd under its X server";
    const fs::path dir(folder);
    const fs::path project = dir / "every_object.vxp";
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    ASSERT_TRUE(ShellHarness::runUntil([&] { return shell.app->Splash() == nullptr; }));
    ASSERT_TRUE(shell.activate());
    const auto openWithKeys = [&] {
        const CProject* before = shell.app->GetProject();
        shell.prompts.fileAnswers.push_back(QString::fromStdString(project.string()));
        EXPECT_TRUE(xdotool({"key", "ctrl+o"}));
        EXPECT_TRUE(ShellHarness::runUntil([&] { return shell.app->GetProject() && shell.app->GetProject() != before; },
                                           kTimeoutMs));
        // The start page opens with a double click on its item in the project pane.
        const QList<QTreeWidgetItem*> items =
            shell.frame().ProjectBar()->Tree()->findItems(QStringLiteral("Start"), Qt::MatchRecursive);
        EXPECT_EQ(items.size(), 1);
        if (items.size() == 1) {
            CPaneTree* tree = shell.frame().ProjectBar()->Tree();
            tree->scrollToItem(items[0]);
            const QPoint at = tree->viewport()->mapToGlobal(tree->visualItemRect(items[0]).center());
            EXPECT_TRUE(xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}));
            EXPECT_TRUE(xdotool({"click", "--repeat", "2", "--delay", "80", "1"}));
        }
        CChildViewPage* view = nullptr;
        EXPECT_TRUE(ShellHarness::runUntil(
            [&] {
                view = shell.frame().GetActiveView();
                return view && view->GetPage() && objectNamed(*view, u"text-1");
            },
            kTimeoutMs))
            << "file requests " << shell.prompts.fileRequests.size() << ", project " << shell.app->GetProject()
            << ", page windows " << shell.frame().PageWindows().Count() << ", messages " << shell.prompts.messages.size()
            << ", view " << view << ", attached " << (view && view->GetPage()) << ", objects "
            << (view ? view->GetContainer().GetSize() : -1) << ", first "
            << (view && view->GetObjectAt(0)
                    ? QString::fromStdU16String(CObjectNames::GetName(*view->GetObjectAt(0), NameKind::Current)).toStdString()
                    : "");
        return view;
    };

    CChildViewPage* view = openWithKeys();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor - every_object"));
    ASSERT_DOUBLE_EQ(view->GetEditor().GetZoom(), 1.0);
    CEditorObject* text = objectNamed(*view, u"text-1");
    ASSERT_EQ(text->GetRect(), kTextRect);
    const QPoint block = onScreen(*view, kTextRect.left + kBlockLeft, kTextRect.top + kBlockTop);
    // The picture may still be drawing in the background: wait until it shows and two grabs agree.
    QImage before;
    ASSERT_TRUE(ShellHarness::runUntil(
        [&] {
            const QImage shot = grabScreen();
            const bool settled = !before.isNull() && drawn(shot, block) && sameBlock(before, block, shot, block);
            before = shot;
            return settled;
        },
        kTimeoutMs)) << "the text never showed on screen";
    before.save(QString::fromStdString((dir / "before.png").string()));

    const QPoint start = onScreen(*view, 200, 60);
    const QPoint end = start + QPoint(kDragX, kDragY);
    ASSERT_TRUE(xdotool({"mousemove", QString::number(start.x()), QString::number(start.y())}));
    ASSERT_TRUE(xdotool({"mousedown", "1"}));
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = start + (end - start) * step / 4;
        ASSERT_TRUE(xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}));
        ShellHarness::runUntil([] { return false; }, 50);
    }
    ASSERT_TRUE(xdotool({"mouseup", "1"}));
    const CDiagramRect moved{kTextRect.left + kDragX, kTextRect.top + kDragY, kTextRect.right + kDragX,
                             kTextRect.bottom + kDragY};
    ASSERT_TRUE(ShellHarness::runUntil([&] { return text->GetRect() == moved; }, kTimeoutMs))
        << text->GetRect().left << ", " << text->GetRect().top;
    // The pointer leaves the page, so nothing of it is under the block.
    ASSERT_TRUE(xdotool({"mousemove", "2", "2"}));
    ASSERT_TRUE(shell.app->GetProject()->IsModified());

    ASSERT_TRUE(xdotool({"key", "ctrl+s"}));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return !shell.app->GetProject()->IsModified(); }, kTimeoutMs));
    const std::string xml = CProjectFileWrapper::Decode(
                                [&] {
                                    const std::string bytes = vx::test::readFile(project);
                                    return std::vector<uint8_t>(bytes.begin(), bytes.end());
                                }())
                                .xml;
    const std::size_t named = xml.find(">text-1<");
    ASSERT_NE(named, std::string::npos);
    const std::string element = xml.substr(named, xml.find("</object>", named) - named);
    EXPECT_NE(element.find("<posLeft>164</posLeft>"), std::string::npos) << element;
    EXPECT_NE(element.find("<posTop>26</posTop>"), std::string::npos) << element;

    // Opened again, the object stands where it was dragged, and looks as it did.
    const CProject* saved = shell.app->GetProject();
    view = openWithKeys();
    ASSERT_NE(view, nullptr);
    EXPECT_NE(shell.app->GetProject(), saved);
    EXPECT_EQ(objectNamed(*view, u"text-1")->GetRect(), moved);
    const QPoint movedBlock = onScreen(*view, moved.left + kBlockLeft, moved.top + kBlockTop);
    QImage after;
    EXPECT_TRUE(ShellHarness::runUntil(
        [&] {
            after = grabScreen();
            return drawn(after, movedBlock) && sameBlock(before, block, after, movedBlock);
        },
        kTimeoutMs))
        << "the moved picture is not where it was dragged";
    after.save(QString::fromStdString((dir / "reopened.png").string()));
}

TEST(EditorEndToEnd, AnObjectDraggedWithTheMouseStaysWhereItWasAfterSaveAndReopen)
{
    vx::test::XvfbSession x(1024, 768);
    ASSERT_TRUE(x.isRunning());
    vx::test::TempDir dir;
    const std::vector<uint8_t> file =
        CProjectFileWrapper::Encode(vx::test::readFile(vx::test::fixturePath("project/every_object.xml")));
    vx::test::writeFile(dir / "every_object.vxp", std::string(file.begin(), file.end()));

    EXPECT_EQ(x.runThisProgram("EditorEndToEndScenario.OpenDragSaveReopen", kScenarioFolder, dir.path(), 4 * kTimeoutMs),
              0)
        << "the scenario failed (its output is above)";
    vx::test::keepScreenshots(dir.path(),
                              {{"before.png", "editor_drag_before.png"}, {"reopened.png", "editor_drag_reopened.png"}});
}

} // namespace
