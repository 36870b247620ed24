#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>

#include "editor/document/CPropertySelectedList.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/editor/views/page/PageViewHarness.h"

namespace {

using vx::test::PageViewHarness;

constexpr int32_t kText = 2;
constexpr int32_t kButton = 17;
constexpr int32_t kTagTrigger = 23;
constexpr int32_t kTimer = 24;

std::vector<CSelectable*> selectionOf(const CChildViewPage& view)
{
    CPropertySelectedList list;
    view.GetSelection(list);
    return {list.GetSelection().begin(), list.GetSelection().end()};
}

TEST(PageViewAttach, TheObjectsMoveIntoTheContainerAndTheChosenOneIsSelected)
{
    PageViewHarness h;
    CEditorObject* first = &h.AddObject(kText, 10, 10);
    CEditorObject* second = &h.AddObject(kButton, 100, 10);
    CEditorObject* third = &h.AddObject(kTimer, 200, 10);
    CChildViewPage& view = h.Open(1);

    // One owner while open: the container holds the very objects, the page none.
    EXPECT_EQ(h.page.GetObjectCount(), 0);
    ASSERT_EQ(view.GetContainer().GetSize(), 3);
    EXPECT_EQ(view.GetObjectAt(0), first);
    EXPECT_EQ(view.GetObjectAt(1), second);
    EXPECT_EQ(view.GetObjectAt(2), third);
    EXPECT_EQ(h.page.GetOwnerEditor(), &view.GetContainer());
    EXPECT_EQ(view.GetPage(), &h.page);

    EXPECT_EQ(selectionOf(view), std::vector<CSelectable*>{second});
    EXPECT_FALSE(view.GetContainer().IsModified());
    EXPECT_EQ(h.host.counts.refillInPlace, 1);
}

TEST(PageViewAttach, AnIndexThatMatchesNoObjectSelectsNothingAndTheSelectionIsThePage)
{
    for (const int32_t index : {-1, 2, 7}) {
        PageViewHarness h;
        h.AddObject(kText, 10, 10);
        h.AddObject(kButton, 100, 10);
        CChildViewPage& view = h.Open(index);
        EXPECT_FALSE(view.IsAnySelected()) << index;
        EXPECT_EQ(selectionOf(view), std::vector<CSelectable*>{&h.page}) << index;
        EXPECT_EQ(h.host.counts.refillInPlace, 0) << index;
    }
}

TEST(PageViewAttach, OpeningAPageDoesNotModifyTheProject)
{
    PageViewHarness h;
    // The program's headless connection keeps the model's marks on this project.
    const CHeadlessConnection connection(&h.project);
    h.AddObject(kText, 10, 10);
    h.AddObject(kButton, 100, 10);
    h.project.SetModified(false);
    h.Open(0);
    EXPECT_EQ(h.host.counts.modified, 0);
    EXPECT_FALSE(h.project.IsModified());
    // Past the attach the container's changes reach the project again (handing the
    // objects back to the objects pane is the main frame's: tests/editor/shell/path).
    h.Select({1});
    ASSERT_TRUE(h.Run(CommandId::OrderDown));
    EXPECT_TRUE(h.project.IsModified());
    h.frame->GetView().OnDestroy();
    EXPECT_EQ(h.page.GetObjects().size(), 2u);
}

TEST(PageViewAttach, IsQueuedAndHappensOnce)
{
    PageViewHarness h;
    h.AddObject(kText, 10, 10);
    auto* frame = new CChildFramePage(h.host, h.environment, h.page);
    h.frame = frame;
    frame->GetView().PostRefreshPage(0);
    EXPECT_EQ(frame->GetView().GetPage(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->GetView().GetPage() == &h.page; }));
    EXPECT_TRUE(frame->GetView().IsAnySelected());
    // A second attach would take the objects twice.
    frame->GetView().OnRefreshPage(0);
    EXPECT_EQ(frame->GetView().GetContainer().GetSize(), 1);
}

TEST(PageViewAttach, ThePageBackgroundReachesTheCanvas)
{
    PageViewHarness h;
    h.page.SetBackgroundColor(0xFF0000); // blue, as the editor stores colours
    h.page.SetBackgroundTransparency(0);
    h.project.Settings().grid = false;
    h.Open();
    EXPECT_EQ(h.Canvas().GetPaperColour().argb, 0xFF0000FFu);
    const QImage shown = h.View().GetCanvas().viewport()->grab().toImage();
    const CDiagramRect paper = h.Canvas().VirtualToScreen({0, 0, 800, 480});
    EXPECT_EQ(shown.pixel(paper.left + 5, paper.top + 5), 0xFF0000FFu);

    // A change through the page is pushed at once.
    h.page.SetBackgroundTransparency(300);
    EXPECT_EQ(h.Canvas().GetBackgroundTransparency(), 255);
}

TEST(PageViewSelection, CollectPropertyMergesTheSelectedObjectsOnly)
{
    PageViewHarness h;
    h.AddObject(kText, 10, 10);
    h.AddObject(kText, 100, 10);
    h.AddObject(kText, 200, 10);
    h.Open();
    h.Object(0).GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(12));
    h.Object(1).GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(12));
    h.Object(2).GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(30));

    h.Select({0, 1});
    CPropertySelectedList same;
    h.View().CollectProperty(u"Format", u"Format", u"Size", same);
    EXPECT_EQ(same.GetMergeState(), MergeState::Equal);
    EXPECT_EQ(same.GetInt(), 12);
    EXPECT_EQ(same.GetSelection().size(), 2u);

    h.Select({1, 2});
    CPropertySelectedList mixed;
    h.View().CollectProperty(u"Format", u"Format", u"Size", mixed);
    EXPECT_EQ(mixed.GetMergeState(), MergeState::Differs);

    h.Select({});
    CPropertySelectedList none;
    h.View().CollectProperty(u"Format", u"Format", u"Size", none);
    EXPECT_EQ(none.GetMergeState(), MergeState::Nothing);
    EXPECT_TRUE(none.GetSelection().empty());
}

TEST(PageViewSelection, AnExclusiveSelectionNeverMixesObjectsWithAndWithoutAnArea)
{
    PageViewHarness h;
    h.AddObject(kText, 10, 10);
    h.AddObject(kButton, 100, 10);
    h.AddObject(kTimer, 0, 0);
    h.AddObject(kTagTrigger, 0, 0);
    h.Open();
    h.Select({0, 1});
    h.Canvas().SelectObject(h.Object(2), true, SelectKind::Exclusive);
    EXPECT_FALSE(h.Object(0).IsSelected());
    EXPECT_FALSE(h.Object(1).IsSelected());
    EXPECT_TRUE(h.Object(2).IsSelected());
    // Invisible objects stay together; a visible one sends them away.
    h.Canvas().SelectObject(h.Object(3), true, SelectKind::Exclusive);
    EXPECT_TRUE(h.Object(2).IsSelected());
    h.Canvas().SelectObject(h.Object(0), true, SelectKind::Exclusive);
    EXPECT_EQ(selectionOf(h.View()), std::vector<CSelectable*>{&h.Object(0)});
    // Without exclusivity anything goes together.
    h.Canvas().SelectObject(h.Object(3), true);
    EXPECT_EQ(h.Canvas().GetSelectCount(), 2);
}

TEST(PageViewSelection, TheProjectTreeFollowsThePageUnlessAPageItemIsCurrent)
{
    PageViewHarness h;
    h.AddObject(kText, 10, 10);
    h.Open();
    h.host.selectedPageItems.clear();
    h.host.pageItemSelected = false;
    h.Select({0});
    EXPECT_EQ(h.host.selectedPageItems, std::vector<std::u16string>{h.page.GetName()});
    h.Select({0});
    EXPECT_EQ(h.host.selectedPageItems.size(), 1u);
}

TEST(PageViewMouse, ADragMovesTheObjectAndMarksTheContainer)
{
    PageViewHarness h;
    h.AddObject(kButton, 100, 100, 80, 40);
    h.project.Settings().gridSnap = false;
    h.Open();
    QWidget* canvas = h.View().GetCanvas().viewport();
    const CDiagramRect before = h.Canvas().VirtualToScreen(h.Object(0).GetRect());
    const QPoint grab(before.left + 40, before.top + 20);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, grab);
    for (int step = 1; step <= 5; ++step)
        QTest::mouseMove(canvas, grab + QPoint(step * 10, step * 6));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, grab + QPoint(50, 30));

    const CDiagramRect after = h.Object(0).GetRect();
    EXPECT_EQ(after.left, 150);
    EXPECT_EQ(after.top, 130);
    EXPECT_EQ(after.Width(), 80);
    EXPECT_TRUE(h.View().GetContainer().IsModified());
    EXPECT_TRUE(h.View().GetContainer().CanUndo());
}

TEST(PageViewClose, TheNewOrderGoesBackToThePageAndTheProjectIsMarked)
{
    PageViewHarness h;
    CEditorObject* bottom = &h.AddObject(kText, 10, 10);
    CEditorObject* middle = &h.AddObject(kButton, 100, 10);
    CEditorObject* top = &h.AddObject(kText, 200, 10);
    h.Open();
    h.Select({0});
    ASSERT_TRUE(h.Run(CommandId::OrderToFront));
    // Closed through its command: the page is detached at once, the frame goes after
    // the handler returned.
    ASSERT_TRUE(h.Run(CommandId::ClosePageFrame));
    ASSERT_FALSE(h.frame.isNull());
    EXPECT_EQ(h.frame->GetView().GetPage(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.frame.isNull(); }));

    ASSERT_EQ(h.page.GetObjectCount(), 3);
    EXPECT_EQ(h.page.GetObjects()[0].get(), middle);
    EXPECT_EQ(h.page.GetObjects()[1].get(), top);
    EXPECT_EQ(h.page.GetObjects()[2].get(), bottom);
    EXPECT_FALSE(bottom->IsSelected());
    EXPECT_EQ(h.page.GetOwnerEditor(), nullptr);
    EXPECT_EQ(bottom->GetPage(), &h.page);
    EXPECT_GE(h.host.counts.modified, 1);
    EXPECT_TRUE(h.project.IsModified());
}

TEST(PageViewClose, AnUnchangedPageLeavesTheProjectUnmarked)
{
    PageViewHarness h;
    h.AddObject(kText, 10, 10);
    h.Open();
    h.frame->GetView().OnDestroy();
    EXPECT_EQ(h.page.GetObjectCount(), 1);
    EXPECT_EQ(h.host.counts.modified, 0);
}

TEST(PageViewClose, APageTheProjectNoLongerHoldsIsNotTouched)
{
    PageViewHarness h;
    h.AddObject(kText, 10, 10);
    h.Open();
    h.host.project = nullptr; // the project went before its page window
    h.frame->GetView().OnDestroy();
    EXPECT_EQ(h.page.GetObjectCount(), 0);
    h.host.project = h.host.ownProject.get();
}

TEST(PageFrame, ShowsMaximisedInItsSubWindowWithThePageName)
{
    PageViewHarness h;
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    auto* frame = new CChildFramePage(h.host, h.environment, h.page);
    QMdiSubWindow* window = area.addSubWindow(frame);
    frame->ActivateFrame();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->windowTitle(), QString::fromStdU16String(h.page.GetName()));

    QSignalSpy closing(frame, &CChildFramePage::frameClosing);
    QPointer<QMdiSubWindow> guard(window);
    EXPECT_FALSE(frame->IsClosing());
    frame->CloseFrame();
    EXPECT_TRUE(frame->IsClosing());
    frame->CloseFrame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return guard.isNull(); }));
    EXPECT_EQ(closing.count(), 1);
}

TEST(PageFrame, TheFocusSelectsThePageInTheTreeAndRefreshesTheUndoLists)
{
    PageViewHarness h;
    h.Open();
    h.host.selectedPageItems.clear();
    const int undoLists = h.host.counts.undoLists;
    h.frame->OnSetFocus();
    EXPECT_EQ(h.host.selectedPageItems, std::vector<std::u16string>{h.page.GetName()});
    EXPECT_EQ(h.host.counts.undoLists, undoLists + 1);
}

} // namespace

namespace {

// Counts the paints of a widget.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

TEST(PageViewPreview, ANewPictureFromTheWorkerIsDrawnOnTheCanvas)
{
    vx::test::FakeThemes themes;
    themes.Add(u"Vista-like");
    vx::test::PreviewWorker previews;
    auto h = std::make_unique<PageViewHarness>();
    h->AddObject(kButton, 100, 100, 80, 40);
    h->Open();
    QWidget* canvas = h->View().GetCanvas().viewport();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h->frame.data()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->Object(0).HasPreview(); }));
    QCoreApplication::processEvents();

    PaintCounter counter(canvas);
    h->Object(0).Invalidate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
    const CDiagramRect shown = h->Canvas().VirtualToScreen(h->Object(0).GetRect());
    const QImage image = canvas->grab().toImage();
    EXPECT_EQ(image.pixel(shown.left + 40, shown.top + 20), themes.themes[u"Vista-like"]->frame);
    h.reset();
}

} // namespace
