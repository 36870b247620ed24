#pragma once
// A person's path through the real editor: New, a lamp (indicator button) on the first
// page "Start" beside a second page "Settings", then: select the lamp on the canvas,
// change its colour and text in the properties pane, add a "Go to page X" action on
// release that goes to the second page, save.

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QTest>
#include <memory>

#include "diagram/view/DDiagramView.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/shell/frame/CMainFrame.h"
#include "editor/views/actions/CActionsBar.h"
#include "editor/views/dialogs/CListColors.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DPropColors.h"
#include "editor/views/properties/DPropMultiText.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ProjectHarness.h"
#include "tests/support/editor/ShellHarness.h"

namespace vx::test {

class PersonsPath {
public:
    static constexpr int32_t kIndicatorButton = 11;
    static constexpr int32_t kGoToPage = 32880;
    // The object on the first page, in page coordinates.
    static constexpr int32_t kLeft = 60, kTop = 60, kWidth = 200, kHeight = 90;
    // 0xBBGGRR: the indicator's first colour becomes red.
    static constexpr uint32_t kRed = 0x0000FF;
    static constexpr const char* kText = "Go on";

    ~PersonsPath() { DProp::SetDialogRunner(nullptr); }

    // The editor shown at a size with a new project: "Start" open in its view with the
    // lamp on it, "Settings" closed.
    bool Open(int width = 1500, int height = 760)
    {
        if (!shell.start() || !ShellHarness::runUntil([&] { return shell.app->Splash() == nullptr; }))
            return false;
        Frame().move(0, 0);
        Frame().resize(width, height);
        if (!shell.activate() || !shell.app->Commands().execute(ToInt(CommandId::FileNew)) || !shell.app->GetProject() ||
            shell.app->GetProject()->GetPageCount() < 1)
            return false;
        CProject& project = *shell.app->GetProject();
        // The page opens as a double click on its item opens it.
        (void)Frame().OpenPage(project.GetPage(0));
        if (!ShellHarness::runUntil([&] { return View() && View()->GetPage(); }))
            return false;
        project.GetPage(0).SetName(u"Start");
        project.AddPage().SetName(u"Settings");
        Frame().RebuildProjectTree(&project.GetPage(0));
        std::unique_ptr<CEditorObject> lamp = CEditorObject::CreateObject(kIndicatorButton, View()->GetPage());
        CObjectNames::InitObjectName(*lamp, u"lamp");
        lamp->SetRect(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
        View()->GetEditor().AddObject(std::move(lamp));
        Refresh();
        return true;
    }

    CMainFrame& Frame() const { return shell.frame(); }
    CChildViewPage* View() const { return Frame().GetActiveView(); }
    CEditorObject& Lamp() const { return *View()->GetObjectAt(0); }
    QWidget* Canvas() const { return View()->GetCanvas().viewport(); }
    CPropertiesBar& Properties() const { return *Frame().PropertiesBar(); }
    CActionsBar& Actions() const { return *Frame().ActionsBar(); }
    QRect LampOnCanvas() const
    {
        const CDiagramRect rect = View()->GetEditor().VirtualToScreen(Lamp().GetRect());
        return QRect(QPoint(int(rect.left), int(rect.top)), QPoint(int(rect.right) - 1, int(rect.bottom) - 1));
    }

    // The running editor's idle pass, after the queued work.
    void Refresh()
    {
        QCoreApplication::processEvents();
        shell.app->OnIdle();
        QCoreApplication::processEvents();
    }

    void SelectLamp()
    {
        QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, LampOnCanvas().center());
        Refresh();
    }

    // The indicator's first colour through its list dialog, then the text typed.
    bool ChangeColourAndText()
    {
        auto* colours = dynamic_cast<DPropColors*>(Properties().Grid().FindItem(u"Behavior", u"Indicator colors"));
        auto* text = dynamic_cast<DPropMultiText*>(Properties().Grid().FindItem(u"Appearance", u"Text"));
        if (!colours || !text)
            return false;
        DProp::SetDialogRunner([](QDialog& dialog) {
            auto& list = static_cast<CListColors&>(dialog);
            list.SetColor(0, kRed);
            list.accept();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(colours->Button(), Qt::LeftButton);
        DProp::SetDialogRunner(nullptr);
        Refresh();
        // The grid was refilled in place: the same item, its editor still there.
        text = dynamic_cast<DPropMultiText*>(Properties().Grid().FindItem(u"Appearance", u"Text"));
        if (!text)
            return false;
        QLineEdit* edit = text->LineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(kText));
        QTest::keyClick(edit, Qt::Key_Return);
        Refresh();
        return true;
    }

    // The Actions tab's "Go to page X", then the page typed into the first box.
    bool AddGoToSecondPage()
    {
        if (!shell.app->Commands().execute(kGoToPage))
            return false;
        QComboBox* page = Actions().ParameterBox(0);
        page->lineEdit()->selectAll();
        QTest::keyClicks(page->lineEdit(), QStringLiteral("Settings"));
        return true;
    }

    // Save As into the path's folder the first time, Save after; the document the file holds.
    std::string SavedDocument()
    {
        CommandId save = CommandId::FileSave;
        if (shell.app->GetProject()->GetFullPath().empty()) {
            shell.prompts.fileAnswers.push_back(QString::fromStdString(file.string()));
            shell.prompts.answers.push_back(Prompts::Answer::Yes);
            save = CommandId::FileSaveAs;
        }
        std::string xml;
        if (!shell.app->Commands().execute(ToInt(save)) || !CProjectFile::ReadDocumentText(file, xml).ok())
            return {};
        return xml;
    }

    TempDir dir;
    std::filesystem::path file = dir / "path.vxp";
    mutable ShellHarness shell;
};

} // namespace vx::test
