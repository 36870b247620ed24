#include "editor/views/page/commands/CEditCommands.h"

#include "diagram/CommandId.h"
#include "editor/views/page/DDiagramEditor.h"
#include "editor/views/page/commands/CPageCommandContext.h"
#include "editor/views/page/commands/CPageRibbonControls.h"
#include "platform/ui/CommandTable.h"

namespace {

// The steps the ribbon's list asks for: its chosen entry and every newer one.
int32_t chosenSteps(CPageCommandContext& context, CommandId list)
{
    const int32_t chosen = context.Ribbon().GetChosenIndex(list);
    return chosen < 0 ? 1 : chosen + 1;
}

} // namespace

void CEditCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;
    const auto any = [c](CommandState& state) { state.enabled = c->SelectedCount() > 0; };

    target.add(
        ToInt(CommandId::Cut),
        [c] {
            if (c->SelectedCount() > 0)
                c->Editor().Cut();
        },
        any);
    target.add(
        ToInt(CommandId::Copy),
        [c] {
            if (c->SelectedCount() > 0)
                c->Editor().Copy();
        },
        any);
    target.add(
        ToInt(CommandId::Clone),
        [c] {
            if (c->SelectedCount() == 1)
                c->Editor().DuplicateSelected();
        },
        [c](CommandState& state) { state.enabled = c->SelectedCount() == 1; });
    target.add(
        ToInt(CommandId::Paste), [c] { c->Editor().Paste(); },
        [c](CommandState& state) { state.enabled = c->Container().ClipboardCount() > 0; });

    const auto undo = [c](int32_t steps) {
        c->Editor().Undo(steps);
        c->RequestFullRefill();
    };
    const auto redo = [c](int32_t steps) {
        c->Editor().Redo(steps);
        c->RequestFullRefill();
    };
    target.add(
        ToInt(CommandId::EditUndo), [c, undo] { undo(chosenSteps(*c, CommandId::EditUndo)); },
        [c](CommandState& state) { state.enabled = c->Container().CanUndo(); });
    target.add(ToInt(CommandId::UndoKey), [undo] { undo(1); });
    target.add(
        ToInt(CommandId::EditRedo), [c, redo] { redo(chosenSteps(*c, CommandId::EditRedo)); },
        [c](CommandState& state) { state.enabled = c->Container().CanRedo(); });
    target.add(ToInt(CommandId::RedoKey), [redo] { redo(1); });
}
