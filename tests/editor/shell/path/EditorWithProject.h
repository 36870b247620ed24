#pragma once
// The real editor offscreen with a saved project open, as the edit-path tests start from.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <string>

#include "diagram/CommandId.h"
#include "diagram/view/DDiagramView.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/compile/CompileMessages.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/shell/commands/CMainFrameCommands.h"
#include "editor/shell/commands/CTargetCommands.h"
#include "editor/shell/frame/CMainFrame.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/panes/COutputBar.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ShellHarness.h"

namespace vx::test {

inline constexpr int32_t kTextObject = 2;
inline constexpr int32_t kButtonObject = 17;
// The Actions tab's "Goto".
inline constexpr int32_t kGoToPage = 32880;

// The editor with a saved project: one page open in its view with the texts "A" at
// (20, 20) and "B" at (200, 120), "A" selected, compiled by Play once, nothing modified.
// Play starts a stand-in for the engine that only ends.
class EditorWithProject {
public:
    EditorWithProject()
    {
        const std::filesystem::path engine = program / std::string(CTargetCommands::kEngineProgram);
        vx::test::writeFile(engine, "#!/bin/sh\nexit 0\n");
        std::filesystem::permissions(engine, std::filesystem::perms::owner_all);
    }

    ::testing::AssertionResult Open()
    {
        if (!shell.start() || !shell.activate())
            return ::testing::AssertionFailure() << "the editor did not start";
        CMainFrame& frame = shell.frame();
        frame.FrameCommands().Target().SetProgramFolder(program.path());
        frame.FrameCommands().Target().SetTemporaryFolder(temporary.path());
        if (!Run(CommandId::FileNew) || !shell.app->GetProject() || shell.app->GetProject()->GetPageCount() < 1)
            return ::testing::AssertionFailure() << "New made no project with a page";
        // The page opens as a double click on its item opens it.
        (void)Frame().OpenPage(Project().GetPage(0));
        if (!vx::test::ShellHarness::runUntil([&] { return View() && View()->GetPage(); }))
            return ::testing::AssertionFailure() << "the page did not open";
        a = &Add(u"A", 20, 20);
        b = &Add(u"B", 200, 120);
        Editor().SelectObject(*a, true);
        shell.prompts.fileAnswers.push_back(QString::fromStdString(file.string()));
        shell.prompts.answers.push_back(Prompts::Answer::Yes);
        if (!Run(CommandId::FileSaveAs) || !std::filesystem::exists(file))
            return ::testing::AssertionFailure() << "Save As wrote nothing";
        if (!Settle())
            return ::testing::AssertionFailure() << "Save and Play left the project modified or its target stale";
        baseline = SavedDocument();
        if (Project().IsModified() || Project().IsTargetStale() || baseline.empty())
            return ::testing::AssertionFailure() << "the saved project is not as its file";
        return ::testing::AssertionSuccess();
    }

    // Saved and compiled: the state an edit starts from.
    bool Settle()
    {
        if (!Run(CommandId::FileSave) || !Run(CommandId::Play))
            return false;
        Idle();
        shell.prompts.messages.clear();
        return !Project().IsModified() && !Project().IsTargetStale();
    }

    // The idle pass of the running editor, after the queued work.
    void Idle()
    {
        QCoreApplication::processEvents();
        shell.app->OnIdle();
        QCoreApplication::processEvents();
    }

    bool Run(CommandId id) { return shell.app->Commands().execute(ToInt(id)); }
    // A ribbon control of id given text or value, then acted on as the user does.
    void RibbonText(CommandId id, const QString& text)
    {
        Ribbon().SetControlText(ToInt(id), text);
        Ribbon().Execute(ToInt(id), Ribbon().ControlWidget(ToInt(id)));
    }
    void RibbonValue(CommandId id, int value)
    {
        Ribbon().SetControlValue(ToInt(id), value);
        Ribbon().Execute(ToInt(id), Ribbon().ControlWidget(ToInt(id)));
    }

    CEditorObject& Add(std::u16string_view name, int left, int top, int32_t type = kTextObject)
    {
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(type, View()->GetPage());
        object->SetRect(left, top, left + 120, top + 40);
        CObjectNames::InitObjectName(*object, name);
        CEditorObject& added = *object;
        Editor().AddObject(std::move(object));
        return added;
    }

    std::string SavedDocument() const
    {
        std::string xml;
        return CProjectFile::ReadDocumentText(file, xml).ok() ? xml : std::string();
    }

    // A point of the page on the canvas.
    QPoint OnCanvas(int32_t x, int32_t y)
    {
        const CDiagramRect client = Editor().VirtualToScreen({x, y, x + 1, y + 1});
        return QPoint(int(client.left), int(client.top));
    }
    QWidget* Canvas() { return View()->GetCanvas().viewport(); }
    // A press at from, moves to to in steps, a release there.
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(Canvas(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(Canvas(), from + (to - from) * step / 4);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, to);
    }

    CMainFrame& Frame() { return shell.frame(); }
    CRibbonBar& Ribbon() { return *Frame().Ribbon(); }
    CProject& Project() { return *shell.app->GetProject(); }
    CChildViewPage* View() { return Frame().GetActiveView(); }
    DDiagramEditor& Editor() { return View()->GetEditor(); }
    DProp* Item(std::u16string_view group, std::u16string_view name)
    {
        return Frame().PropertiesBar()->Grid().FindItem(group, name);
    }
    bool Compiles()
    {
        Frame().OutputBar().Clear();
        return Run(CommandId::Play) &&
               Frame().OutputBar().Text().contains(QString::fromUtf16(CompileMessages::kCompiling.data(),
                                                                      qsizetype(CompileMessages::kCompiling.size())));
    }

    vx::test::TempDir dir, program, temporary;
    std::filesystem::path file = dir / "line.vxp";
    vx::test::ShellHarness shell;
    CEditorObject* a = nullptr;
    CEditorObject* b = nullptr;
    std::string baseline;
};

// Types text into a property's line edit and ends with Enter.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace vx::test
