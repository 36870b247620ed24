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

// Order commands move the one selected object; grouping redraws once, after the change.
template <void (CDiagramEntityContainer::*move)(CDiagramEntity*)>
void moveSelected(CPageCommandContext& c)
{
    (c.Container().*move)(c.Editor().GetSelectedObject());
    c.Editor().RedrawWindow();
}

template <int32_t (CDiagramEntityContainer::*change)()>
void regroup(CPageCommandContext& c)
{
    DDiagramView& canvas = c.View().GetCanvas();
    canvas.setUpdatesEnabled(false);
    (void)(c.Container().*change)();
    canvas.setUpdatesEnabled(true);
    c.Editor().RedrawWindow();
}

constexpr std::array kSelectionCommands{
    SelectionCommand{CommandId::OrderUp, SelectionNeed::ExactlyOne, &moveSelected<&CDiagramEntityContainer::PopUp>},
    SelectionCommand{CommandId::OrderDown, SelectionNeed::ExactlyOne, &moveSelected<&CDiagramEntityContainer::PushDown>},
    SelectionCommand{CommandId::OrderToFront, SelectionNeed::ExactlyOne, &moveSelected<&CDiagramEntityContainer::ToFront>},
    SelectionCommand{CommandId::OrderToBack, SelectionNeed::ExactlyOne, &moveSelected<&CDiagramEntityContainer::ToBottom>},
    SelectionCommand{CommandId::Group, SelectionNeed::Several, &regroup<&CDiagramEntityContainer::Group>},
    SelectionCommand{CommandId::Ungroup, SelectionNeed::Any, &regroup<&CDiagramEntityContainer::Ungroup>},
    SelectionCommand{CommandId::AlignLeft, SelectionNeed::Several, [](CPageCommandContext& c) { c.Editor().AlignLeft(); }},
    SelectionCommand{CommandId::AlignRight, SelectionNeed::Several, [](CPageCommandContext& c) { c.Editor().AlignRight(); }},
    SelectionCommand{CommandId::AlignTop, SelectionNeed::Several, [](CPageCommandContext& c) { c.Editor().AlignTop(); }},
    SelectionCommand{CommandId::AlignBottom, SelectionNeed::Several,
                     [](CPageCommandContext& c) { c.Editor().AlignBottom(); }},
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

} // namespace

void CArrangeCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;
    context.AddSelectionCommands(target, kSelectionCommands);

    for (const LockBit& lock : kLocks)
        target.add(
            ToInt(lock.id),
            [c, lock] {
                if (c->Has(SelectionNeed::Any))
                    c->Editor().Lock(lock.bit, c->Editor().LockState(lock.bit) != kAllLocked);
            },
            [c, lock](CommandState& state) {
                state.enabled = c->Has(SelectionNeed::Any);
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
