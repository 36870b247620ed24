#include "editor/views/page/commands/CArrangeCommands.h"

#include <array>

#include "diagram/CommandId.h"
#include "diagram/view/DDiagramView.h"
#include "editor/objects/CEditorObject.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/commands/CPageCommandContext.h"
#include "editor/views/page/commands/CPageRibbonControls.h"
#include "platform/ui/CommandTable.h"

namespace {

using OrderMove = void (CDiagramEntityContainer::*)(CDiagramEntity*);
struct Order {
    CommandId id;
    OrderMove move;
};
constexpr std::array kOrders{
    Order{CommandId::OrderUp, &CDiagramEntityContainer::PopUp},
    Order{CommandId::OrderDown, &CDiagramEntityContainer::PushDown},
    Order{CommandId::OrderToFront, &CDiagramEntityContainer::ToFront},
    Order{CommandId::OrderToBack, &CDiagramEntityContainer::ToBottom},
};

using Align = void (CDiagramEditor::*)();
struct Alignment {
    CommandId id;
    Align align;
};
constexpr std::array kAlignments{
    Alignment{CommandId::AlignLeft, &CDiagramEditor::AlignLeft},
    Alignment{CommandId::AlignRight, &CDiagramEditor::AlignRight},
    Alignment{CommandId::AlignTop, &CDiagramEditor::AlignTop},
    Alignment{CommandId::AlignBottom, &CDiagramEditor::AlignBottom},
};

// The lock button, "Lock size" and "Lock position": one bit each.
constexpr uint32_t kLockAll = 1;
struct LockBit {
    CommandId id;
    uint32_t bit;
};
constexpr std::array kLocks{
    LockBit{CommandId::Lock, kLockAll},
    LockBit{CommandId::LockSize, kLockSize},
    LockBit{CommandId::LockPosition, kLockPosition},
};
constexpr int32_t kAllLocked = 1;

using SetSide = void (CDiagramEditor::*)(int32_t);
struct PositionBox {
    CommandId id;
    std::u16string_view caption;
    SetSide set;
};
constexpr std::array kPositions{
    PositionBox{CommandId::PositionX, u"X", &CDiagramEditor::SetX},
    PositionBox{CommandId::PositionY, u"Y", &CDiagramEditor::SetY},
    PositionBox{CommandId::SizeWidth, u"Width", &CDiagramEditor::SetWidth},
    PositionBox{CommandId::SizeHeight, u"Height", &CDiagramEditor::SetHeight},
};
constexpr std::u16string_view kPositionCategory = u"Position & Size";

// The selected objects that have an area on the page.
std::vector<CEditorObject*> placedObjects(const CPageCommandContext& context)
{
    std::vector<CEditorObject*> placed;
    for (CEditorObject* object : context.SelectedObjects())
        if (!object->IsInvisible())
            placed.push_back(object);
    return placed;
}

// Grouping redraws once, after the whole change.
template <typename Change>
void withoutRedraw(CPageCommandContext& context, Change change)
{
    DDiagramView& canvas = context.View().GetCanvas();
    canvas.setUpdatesEnabled(false);
    change();
    canvas.setUpdatesEnabled(true);
    context.Editor().RedrawWindow();
}

} // namespace

void CArrangeCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;
    const auto exactlyOne = [c](CommandState& state) { state.enabled = c->SelectedCount() == 1; };
    const auto several = [c](CommandState& state) { state.enabled = c->SelectedCount() > 1; };
    const auto any = [c](CommandState& state) { state.enabled = c->SelectedCount() > 0; };

    for (const Order& order : kOrders)
        target.add(
            ToInt(order.id),
            [c, order] {
                if (c->SelectedCount() != 1)
                    return;
                (c->Container().*order.move)(c->Editor().GetSelectedObject());
                c->Editor().RedrawWindow();
            },
            exactlyOne);

    target.add(
        ToInt(CommandId::Group),
        [c] {
            if (c->SelectedCount() > 1)
                withoutRedraw(*c, [c] { (void)c->Container().Group(); });
        },
        several);
    target.add(
        ToInt(CommandId::Ungroup),
        [c] {
            if (c->SelectedCount() > 0)
                withoutRedraw(*c, [c] { (void)c->Container().Ungroup(); });
        },
        any);

    for (const Alignment& alignment : kAlignments)
        target.add(
            ToInt(alignment.id),
            [c, alignment] {
                if (c->SelectedCount() > 1)
                    (c->Editor().*alignment.align)();
            },
            several);

    for (const LockBit& lock : kLocks)
        target.add(
            ToInt(lock.id),
            [c, lock] {
                if (c->SelectedCount() == 0)
                    return;
                c->Editor().Lock(lock.bit, c->Editor().LockState(lock.bit) != kAllLocked);
            },
            [c, lock](CommandState& state) {
                state.enabled = c->SelectedCount() > 0;
                state.checked = c->Editor().LockState(lock.bit) == kAllLocked;
            },
            ControlKind::Check);

    target.add(
        ToInt(CommandId::OriginalSize), [c] { (void)c->Editor().MakeOriginalSize(CheckOnly::No); },
        [c](CommandState& state) { state.enabled = c->Editor().MakeOriginalSize(CheckOnly::Yes) != 0; });

    for (const PositionBox& box : kPositions)
        target.add(
            ToInt(box.id),
            [c, box] {
                if (placedObjects(*c).empty())
                    return;
                (c->Editor().*box.set)(CPropertyValue(c->Ribbon().GetText(box.id)).ToInt());
            },
            [c, box](CommandState& state) {
                const std::vector<CEditorObject*> placed = placedObjects(*c);
                state.enabled = !placed.empty();
                CPageRibbonControls& ribbon = c->Ribbon();
                if (ribbon.HasFocus(box.id))
                    return;
                std::u16string text;
                if (placed.size() == 1)
                    if (const CPropertyBase* value = placed.front()->FindProperty(kPositionCategory, box.caption))
                        text = CPropertyValue(value->GetInt()).Text();
                if (ribbon.GetText(box.id) != text)
                    ribbon.SetText(box.id, text);
            },
            ControlKind::Edit);
}
