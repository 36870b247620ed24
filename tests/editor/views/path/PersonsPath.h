#pragma once
// A person's path through the editor's panes: a page open in its view beside the
// properties and actions panes, over a fake editor host that routes the action commands
// and the script store to the actions pane as the main frame does. The steps: select an
// object on the canvas, change its colour and text in the properties pane, add a
// "Go to page X" action on release that goes to the second page.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QHBoxLayout>
#include <QPointer>
#include <QSplitter>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "diagram/view/DDiagramView.h"
#include "editor/document/CPropertySelectedList.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/views/actions/CActionsBar.h"
#include "foundation/worker/CBkgWorker.h"
#include "editor/views/dialogs/CListColors.h"
#include "editor/views/page/CChildFramePage.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DPropColors.h"
#include "editor/views/properties/DPropMultiText.h"
#include "tests/editor/views/page/PageViewHarness.h"

namespace vx::test {

// The host's action requests reach the actions pane, as the main frame routes them.
class PathHost : public FakeEditorHost {
public:
    void StoreActionScript() override
    {
        FakeEditorHost::StoreActionScript();
        if (actions)
            actions->StoreScript();
    }
    void InsertAction(int32_t commandId) override
    {
        FakeEditorHost::InsertAction(commandId);
        if (actions)
            actions->InsertAction(commandId);
    }

    QPointer<CActionsBar> actions;
};

class PathEnvironment : public FakePageViewEnvironment {
public:
    explicit PathEnvironment(PathHost& host) : m_host(host) {}
    bool CanInsertAction() override { return m_host.actions && m_host.actions->HasTarget(); }

private:
    PathHost& m_host;
};

// Object pictures drawn by a worker of the path's own, whose repaints come back as
// queued calls; it goes last, after every object. The calls are queued on an object of
// its own, so those still queued when it goes are dropped with it.
class PathWorker {
public:
    PathWorker()
    {
        CEditorObject::UseWorker(&m_worker);
        m_worker.Start();
    }
    ~PathWorker()
    {
        (void)m_worker.Stop();
        CEditorObject::UseWorker(nullptr);
    }
    PathWorker(const PathWorker&) = delete;
    PathWorker& operator=(const PathWorker&) = delete;

private:
    QObject m_calls;
    CBkgWorker m_worker{{}, [this](std::function<void()> call) {
                            QMetaObject::invokeMethod(&m_calls, std::move(call), Qt::QueuedConnection);
                        }};
};

class PersonsPath {
public:
    static constexpr int32_t kIndicatorButton = 11;
    static constexpr int32_t kGoToPage = 32880;
    // The object on the first page, in page coordinates.
    static constexpr int32_t kLeft = 60, kTop = 60, kWidth = 200, kHeight = 90;
    // 0xBBGGRR: the indicator's first colour becomes red.
    static constexpr uint32_t kRed = 0x0000FF;
    static constexpr const char* kText = "Go on";

    PersonsPath()
    {
        first.SetName(u"Start");
        second.SetName(u"Settings");
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(kIndicatorButton, &first);
        CObjectNames::InitObjectName(*object, u"lamp");
        object->SetRect(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
        first.AddObject(std::move(object));

        auto* layout = new QHBoxLayout(&window);
        frame = new CChildFramePage(host, environment, first, &window);
        layout->addWidget(frame, 3);
        auto* panes = new QVBoxLayout;
        layout->addLayout(panes, 2);
        properties = new CPropertiesBar(host, &window);
        panes->addWidget(properties, 1);
        actions = new CActionsBar(host, &window);
        panes->addWidget(actions, 1);
        host.actions = actions;
        window.setWindowTitle(QStringLiteral("VX-Editor path"));
    }
    ~PersonsPath()
    {
        DProp::SetDialogRunner(nullptr);
        commands.setActive(CommandLevel::View, nullptr);
        host.activeView = nullptr;
        host.actions = nullptr;
    }
    PersonsPath(const PersonsPath&) = delete;
    PersonsPath& operator=(const PersonsPath&) = delete;

    // The window shown with the page attached in its view.
    void Open(int width = 1500, int height = 760)
    {
        window.move(0, 0);
        window.resize(width, height);
        window.show();
        frame->GetView().OnRefreshPage(-1);
        host.activeView = &frame->GetView();
        commands.setActive(CommandLevel::View, &frame->GetView().GetCommandTarget());
        Refresh();
    }
    CChildViewPage& View() const { return frame->GetView(); }
    CEditorObject& Lamp() const { return *View().GetObjectAt(0); }
    QWidget* Canvas() const { return View().GetCanvas().viewport(); }
    QRect LampOnCanvas() const
    {
        const CDiagramRect rect = View().GetEditor().VirtualToScreen(Lamp().GetRect());
        return QRect(QPoint(int(rect.left), int(rect.top)), QPoint(int(rect.right) - 1, int(rect.bottom) - 1));
    }

    // What the main frame's idle refresh does after the selection changed.
    void Refresh()
    {
        CPropertySelectedList selection;
        View().GetSelection(selection);
        properties->FillProperties(selection, PropertiesRefill::Full);
        actions->ShowObjectActions(selection.GetSelection());
    }

    void SelectLamp()
    {
        QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, LampOnCanvas().center());
        Refresh();
    }

    // The indicator's first colour through its list dialog, then the text typed.
    bool ChangeColourAndText()
    {
        auto* colours = dynamic_cast<DPropColors*>(properties->Grid().FindItem(u"Behavior", u"Indicator colors"));
        auto* text = dynamic_cast<DPropMultiText*>(properties->Grid().FindItem(u"Appearance", u"Text"));
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
        QLineEdit* edit = text->LineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(kText));
        QTest::keyClick(edit, Qt::Key_Return);
        return true;
    }

    // The Actions tab's "Go to page X" through the view's commands, then the page typed
    // into the first box.
    bool AddGoToSecondPage()
    {
        if (!commands.execute(kGoToPage))
            return false;
        QComboBox* page = actions->ParameterBox(0);
        page->lineEdit()->selectAll();
        QTest::keyClicks(page->lineEdit(), QString::fromStdU16String(second.GetName()));
        return true;
    }

    // The save command stores the script first, then writes the document.
    std::string SavedDocument()
    {
        host.StoreActionScript();
        return CProjectFile::DocumentText(project);
    }

    PathWorker worker;
    PathHost host;
    PathEnvironment environment{host};
    CProject& project = host.MakeProject();
    CPage& first = project.AddPage();
    CPage& second = project.AddPage();
    CommandTable commands;
    QWidget window;
    CChildFramePage* frame = nullptr;
    CPropertiesBar* properties = nullptr;
    CActionsBar* actions = nullptr;
};

} // namespace vx::test
