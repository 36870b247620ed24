// Every way a person edits the project, through the real editor offscreen: after each
// edit the project is modified, the title ends with "*", Save is enabled, the next Play
// compiles again and Save writes a file that holds the edit.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "diagram/CommandId.h"
#include "diagram/view/DDiagramView.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/compile/CompileMessages.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/shell/commands/CMainFrameCommands.h"
#include "editor/shell/frame/CMainFrame.h"
#include "editor/shell/commands/CTargetCommands.h"
#include "editor/views/CTagsBar.h"
#include "editor/views/CTagsGrid.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/panes/COutputBar.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DPropButton.h"
#include "editor/views/properties/DPropCombo.h"
#include "editor/views/properties/DPropList.h"
#include "editor/views/properties/DPropText.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ShellHarness.h"
#include "tests/editor/shell/path/EditorWithProject.h"

namespace {

using vx::test::EditorWithProject;
using vx::test::kButtonObject;
using vx::test::kGoToPage;
using vx::test::typeInto;

struct EditRow {
    const char* name;
    std::function<void(EditorWithProject&)> edit;
    // Text the saved document holds after the edit; empty: it only differs.
    const char* saved = "";
};

const EditRow kEdits[] = {
    {"PropertiesPaneText",
     [](EditorWithProject& e) {
         auto* text = dynamic_cast<DPropButton*>(e.Item(u"Appearance", u"Text"));
         ASSERT_NE(text, nullptr);
         typeInto(text->LineEdit(), QStringLiteral("Pump seven"));
     },
     "Pump seven"},
    {"PropertiesPanePageType",
     [](EditorWithProject& e) {
         e.Editor().UnselectAll();
         e.Idle();
         auto* type = dynamic_cast<DPropList*>(e.Item(u"Page", u"Page type"));
         ASSERT_NE(type, nullptr);
         type->Combo()->setFocus();
         QTest::keyClick(type->Combo(), Qt::Key_Down);
     }},
    {"RibbonTextFormattingBold", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::FontBold)); }},
    {"RibbonTextFormattingGrow", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::FontGrow)); }},
    {"RibbonStyleGallery",
     [](EditorWithProject& e) {
         // Texts have no theme: a button takes one.
         e.Editor().UnselectAll();
         e.Editor().SelectObject(e.Add(u"C", 300, 300, kButtonObject), true);
         ASSERT_TRUE(e.Settle());
         e.baseline = e.SavedDocument();
         e.RibbonValue(CommandId::StyleGallery, 1);
     }},
    {"RibbonOrder",
     [](EditorWithProject& e) {
         e.Editor().UnselectAll();
         e.Editor().SelectObject(*e.b, true);
         ASSERT_TRUE(e.Run(CommandId::OrderToBack));
     }},
    {"RibbonAlignment",
     [](EditorWithProject& e) {
         e.Editor().SelectObject(*e.b, true);
         ASSERT_TRUE(e.Run(CommandId::AlignLeft));
     }},
    {"RibbonPosition", [](EditorWithProject& e) { e.RibbonText(CommandId::PositionX, QStringLiteral("64")); }},
    {"PropertiesPanePageTransparency",
     [](EditorWithProject& e) {
         e.Editor().UnselectAll();
         e.Idle();
         auto* transparency = dynamic_cast<DPropText*>(e.Item(u"Page", u"Background transparency"));
         ASSERT_NE(transparency, nullptr);
         typeInto(transparency->LineEdit(), QStringLiteral("128"));
     }},
    {"RibbonPageSize",
     [](EditorWithProject& e) {
         // Typed into its box, as a person does.
         QWidget* box = e.Ribbon().ControlWidget(ToInt(CommandId::PageSize));
         ASSERT_NE(box, nullptr);
         box->setFocus();
         e.RibbonText(CommandId::PageSize, QStringLiteral("640x480"));
     },
     "640x480"},
    {"RibbonNewPage", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::PageNew)); }},
    {"ViewGrid", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::GridVisible)); }},
    {"ViewZoom", [](EditorWithProject& e) { e.RibbonText(CommandId::Zoom, QStringLiteral("200%")); }},
    {"ProjectHoldFirst", [](EditorWithProject& e) { e.RibbonText(CommandId::HoldFirst, QStringLiteral("1500")); },
     "1500"},
    {"ProjectScreenSaverStart",
     [](EditorWithProject& e) { e.RibbonText(CommandId::ScreenSaverTime, QStringLiteral("30")); }},
    {"ProjectLayerVisible", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::InitiallyVisible)); }},
    {"TargetPremultipliedAlpha", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::PremultipliedAlpha)); }},
    {"TargetColourDepth", [](EditorWithProject& e) { ASSERT_TRUE(e.Run(CommandId::ColorDepth16)); }},
    {"TargetTagMemorySizeTyped",
     [](EditorWithProject& e) {
         auto* edit = qobject_cast<QLineEdit*>(e.Ribbon().ControlWidget(ToInt(CommandId::TagMemorySize)));
         ASSERT_NE(edit, nullptr);
         edit->setFocus();
         edit->selectAll();
         QTest::keyClicks(edit, QStringLiteral("4096"));
     },
     "4096"},
    {"CanvasInsert",
     [](EditorWithProject& e) {
         ASSERT_TRUE(e.Run(CommandId::InsertButton));
         e.Drag(e.OnCanvas(300, 300), e.OnCanvas(400, 360));
     }},
    {"CanvasMove", [](EditorWithProject& e) { e.Drag(e.OnCanvas(60, 40), e.OnCanvas(100, 80)); }},
    {"CanvasResize", [](EditorWithProject& e) { e.Drag(e.OnCanvas(140, 60), e.OnCanvas(180, 90)); }},
    {"CanvasDelete", [](EditorWithProject& e) { QTest::keyClick(e.Canvas(), Qt::Key_Delete); }},
    {"CanvasPaste",
     [](EditorWithProject& e) {
         ASSERT_TRUE(e.Run(CommandId::Copy));
         ASSERT_TRUE(e.Run(CommandId::Paste));
     }},
    {"CanvasUndo",
     [](EditorWithProject& e) {
         ASSERT_TRUE(e.Run(CommandId::Copy));
         ASSERT_TRUE(e.Run(CommandId::Paste));
         ASSERT_TRUE(e.Settle());
         e.baseline = e.SavedDocument();
         ASSERT_TRUE(e.Run(CommandId::UndoKey));
     }},
    {"CanvasRedo",
     [](EditorWithProject& e) {
         ASSERT_TRUE(e.Run(CommandId::Copy));
         ASSERT_TRUE(e.Run(CommandId::Paste));
         ASSERT_TRUE(e.Run(CommandId::UndoKey));
         ASSERT_TRUE(e.Settle());
         e.baseline = e.SavedDocument();
         ASSERT_TRUE(e.Run(CommandId::RedoKey));
     }},
    {"TagsPane",
     [](EditorWithProject& e) {
         CTagsGrid& grid = e.Frame().TagsBar()->Grid();
         grid.AddNumericTag();
         const QModelIndex name = grid.ViewIndex(grid.CurrentRow(), TagColumn::Name);
         ASSERT_TRUE(grid.model()->setData(name, QStringLiteral("speed")));
     },
     "speed"},
    {"ActionsPane",
     [](EditorWithProject& e) {
         // The page's script: the texts have none.
         e.Editor().UnselectAll();
         e.Idle();
         ASSERT_TRUE(e.shell.app->Commands().execute(kGoToPage));
     },
     "Go to page"},
};

class EditPaths : public ::testing::TestWithParam<EditRow> {};

TEST_P(EditPaths, EveryEditMarksTheProjectAndReachesPlayAndSave)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    EXPECT_FALSE(e.Frame().windowTitle().endsWith(QLatin1Char('*')));

    GetParam().edit(e);
    if (HasFatalFailure())
        return;
    e.Idle();
    EXPECT_TRUE(e.Project().IsModified());
    EXPECT_TRUE(e.Project().IsTargetStale());
    EXPECT_TRUE(e.Frame().windowTitle().endsWith(QLatin1Char('*'))) << e.Frame().windowTitle().toStdString();
    EXPECT_TRUE(e.shell.app->Commands().state(ToInt(CommandId::FileSave)).enabled);
    EXPECT_TRUE(e.Compiles()) << "the next Play compiles again";

    ASSERT_TRUE(e.Run(CommandId::FileSave));
    const std::string saved = e.SavedDocument();
    EXPECT_NE(saved, e.baseline) << "the saved file holds the edit";
    EXPECT_NE(saved.find(GetParam().saved), std::string::npos) << GetParam().saved;
    EXPECT_FALSE(e.Frame().windowTitle().endsWith(QLatin1Char('*')));

    ASSERT_TRUE(e.Settle());
    EXPECT_FALSE(e.Compiles()) << "nothing changed since the last Play";
}

INSTANTIATE_TEST_SUITE_P(EveryPath, EditPaths, ::testing::ValuesIn(kEdits),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
