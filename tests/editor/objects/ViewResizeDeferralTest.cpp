// While a page view resizes an object, the background worker puts off drawing objects
// larger than 8000 pixels that were touched less than 200 ms ago; it reads the view's
// mode and tick from what the view publishes, and nothing once the view has closed.

#include <gtest/gtest.h>

#include "diagram/CDiagramEntityContainer.h"
#include "diagram/editor/CDiagramEditor.h"
#include "diagram/editor/CDiagramInteraction.h"
#include "editor/document/CObjectTypeTable.h"
#include "tests/support/editor/CObjPlaceholder.h"
#include "platform/gfx/DeviceContext.h"
#include "tests/support/editor/DrainingWorker.h"
#include "tests/support/editor/FakeTheme.h"

namespace {

constexpr int32_t kMeter = 14;

CEditorObject& place(CDiagramEditor& editor, CSelectable& page, double left, double width)
{
    auto object = std::make_unique<CObjPlaceholder>(kMeter);
    object->InitObject(&page);
    object->SetRect(left, 0, left + width, 100);
    CEditorObject& placed = *object;
    editor.AddObject(std::move(object));
    return placed;
}

// Drawing an object without a picture asks the worker for one.
void draw(CEditorObject& object)
{
    gfx::Surface surface(400, 200);
    gfx::DeviceContext dc(surface);
    object.DrawObject(dc, 1.0);
}

TEST(ViewResizeDeferral, DuringAResizeALargeObjectWaitsAndOneOf8000PixelsIsDrawn)
{
    vx::test::FakeThemes themes;
    themes.Add(u"Aqua");
    CSelectable page{kPageObjectType};
    CDiagramEntityContainer container;
    CDiagramEditor editor;
    editor.Create(&container, nullptr, {800, 600});
    CEditorObject& large = place(editor, page, 0, 100);
    CEditorObject& small = place(editor, page, 200, 80);

    // A real resize: the bottom-right marker of the small object pressed and dragged back
    // to where it was, so both keep their sizes.
    editor.SelectObject(small, true);
    (void)editor.OnLButtonDown({{280, 100}});
    (void)editor.OnMouseMove({{290, 110}});
    (void)editor.OnMouseMove({{280, 100}});
    ASSERT_EQ(editor.GetInteractionMode(), kModeResize);
    const uint32_t touched = editor.GetInteractionTick();

    // The worker's clock stands 50 ms after the view's last move.
    vx::test::DrainingWorker worker([touched] { return touched + 50; });
    CEditorObject::UseWorker(&worker);
    worker.Start();
    draw(large);
    draw(small);
    ASSERT_TRUE(worker.WaitUntil([&] { return !large.IsPreviewPending() && !small.IsPreviewPending(); }));
    EXPECT_FALSE(large.HasPreview()) << "100 x 100 touched 50 ms ago is put off";
    EXPECT_TRUE(small.HasPreview()) << "80 x 100 is no larger than 8000 pixels";

    // The view goes: the worker reads nothing of it and draws the large object.
    editor.CloseActivity();
    draw(large);
    ASSERT_TRUE(worker.WaitUntil([&] { return !large.IsPreviewPending(); }));
    EXPECT_TRUE(large.HasPreview());

    EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
    CEditorObject::UseWorker(nullptr);
    (void)editor.OnLButtonUp({{280, 100}});
}

} // namespace
