#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "diagram/view/DDiagramView.h"
#include "tests/diagram/DiagramTestSupport.h"

using namespace diagramtest;

namespace {

class DiagramView : public testing::Test {
protected:
    void SetUp() override
    {
        container.SetPaperSize(800, 600);
        view = std::make_unique<DDiagramView>(editor, &container);
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        auto entity = makeEntity(50, 50, 100, 100);
        entity->SetConstraints(-1, -1, -1, -1);
        entity->SetRect(50, 50, 100, 100);
        editor.AddObject(std::move(entity));
    }
    void TearDown() override { view.reset(); }
    QWidget* surface() const { return view->viewport(); }

    RecordingHost host;
    CDiagramEntityContainer container;
    CDiagramEditor editor;
    std::unique_ptr<DDiagramView> view;
};

} // namespace

TEST_F(DiagramView, DraggingMovesAnEntityByTheDraggedAmountAtZoomTwo)
{
    editor.SetZoom(2.0);
    CDiagramEntity& entity = *container.GetAt(0); // shown at 100..200
    QTest::mousePress(surface(), Qt::LeftButton, {}, QPoint(150, 150));
    EXPECT_TRUE(entity.IsSelected());
    QTest::mouseMove(surface(), QPoint(170, 160));
    QTest::mouseMove(surface(), QPoint(190, 170));
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, QPoint(190, 170));
    // 40 by 20 screen pixels at zoom 2 are 20 by 10 page pixels.
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{70, 60, 120, 110}));
    EXPECT_EQ(editor.VirtualToScreen(entity.GetRect()).left, 140);
    ASSERT_EQ(container.GetUndoStack().size(), 1u);
    EXPECT_EQ(container.GetUndoStack()[0]->label, u"single move/resize");
}

TEST_F(DiagramView, PaintsTheEditorAndFollowsItsScrollBars)
{
    editor.SetGridVisible(Toggle::Off);
    const QImage shot = surface()->grab().toImage();
    EXPECT_EQ(shot.pixel(75, 75), 0xFFFFFFFFu);  // the entity's inside
    EXPECT_EQ(shot.pixel(50, 75), 0xFF000000u);  // its outline
    EXPECT_EQ(shot.pixel(100, 75), 0xFFA0A0A0u); // its right edge lies outside

    ASSERT_GT(view->horizontalScrollBar()->maximum(), 0); // 800 wide paper in a smaller window
    view->horizontalScrollBar()->setValue(30);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition().x, 30);
    editor.SetScrollPosition(ScrollAxis::Vertical, 12);
    EXPECT_EQ(view->verticalScrollBar()->value(), 12);
    const QImage scrolled = surface()->grab().toImage();
    EXPECT_EQ(scrolled.pixel(20, 38), 0xFF000000u); // the outline's corner at (50 - 30, 50 - 12)
}

TEST_F(DiagramView, KeysReachTheEditor)
{
    QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(75, 75));
    ASSERT_EQ(editor.GetSelectCount(), 1);
    QTest::keyClick(surface(), Qt::Key_Right);
    EXPECT_DOUBLE_EQ(container.GetAt(0)->GetLeft(), 51);
    QTest::keyClick(surface(), Qt::Key_Delete);
    EXPECT_EQ(container.GetSize(), 0);
    QTest::keyClick(surface(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(container.GetSize(), 1);
}

TEST_F(DiagramView, OneKeyPressGivesOneUndo)
{
    int windowUndos = 0;
    QAction undo(view.get());
    undo.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo.setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(&undo, &QAction::triggered, [&] { ++windowUndos; });
    view->addAction(&undo);

    editor.SelectAll();
    editor.DeleteSelected();
    editor.SelectAll(); // nothing: the page is empty
    ASSERT_EQ(container.GetSize(), 0);

    // The window owns Ctrl+Z: its action runs and the editor leaves the key alone.
    editor.SetWindowShortcuts({{DiagramKey::Character, u'Z', kModifierControl}});
    QTest::keyClick(surface(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(windowUndos, 1);
    EXPECT_EQ(container.GetSize(), 0);

    // Without that, the editor takes the key before the window's shortcut can.
    editor.SetWindowShortcuts({});
    QTest::keyClick(surface(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(windowUndos, 1);
    EXPECT_EQ(container.GetSize(), 1);
}
