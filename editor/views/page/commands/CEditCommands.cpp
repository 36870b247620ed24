#include "editor/views/page/commands/CEditCommands.h"

#include <array>

#include "diagram/CommandId.h"
#include "editor/views/page/DDiagramEditor.h"
#include "editor/views/page/commands/CPageCommandContext.h"
#include "editor/views/page/commands/CPageRibbonControls.h"
#include "platform/ui/CommandTable.h"

namespace {

constexpr std::array kClipboard{
    SelectionCommand{CommandId::Cut, SelectionNeed::Any, [](CPageCommandContext& c) { c.Editor().Cut(); }},
    SelectionCommand{CommandId::Copy, SelectionNeed::Any, [](CPageCommandContext& c) { c.Editor().Copy(); }},
    SelectionCommand{CommandId::Clone, SelectionNeed::ExactlyOne,
                     [](CPageCommandContext& c) { c.Editor().DuplicateSelected(); }},
};

// The ribbon's buttons undo as far as the entry chosen in their list; the keys one step,
// and without an update handler of their own.
enum class Steps { One, FromList };
struct HistoryCommand {
    CommandId id;
    void (CDiagramEditor::*step)(int32_t);
    bool (CDiagramEntityContainer::*possible)() const;
    Steps steps;
};
constexpr std::array kHistory{
    HistoryCommand{CommandId::EditUndo, &CDiagramEditor::Undo, &CDiagramEntityContainer::CanUndo, Steps::FromList},
    HistoryCommand{CommandId::UndoKey, &CDiagramEditor::Undo, nullptr, Steps::One},
    HistoryCommand{CommandId::EditRedo, &CDiagramEditor::Redo, &CDiagramEntityContainer::CanRedo, Steps::FromList},
    HistoryCommand{CommandId::RedoKey, &CDiagramEditor::Redo, nullptr, Steps::One},
};

// The chosen entry and every newer one.
int32_t stepsOf(CPageCommandContext& context, const HistoryCommand& command)
{
    const int32_t chosen = command.steps == Steps::FromList ? context.Ribbon().GetChosenIndex(command.id) : -1;
    return chosen < 0 ? 1 : chosen + 1;
}

} // namespace

void CEditCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;
    context.AddSelectionCommands(target, kClipboard);

    // The Paste button and the "&Paste" item of its menu do the same.
    for (CommandId paste : {CommandId::Paste, CommandId::EditPaste})
        target.add(
            ToInt(paste), [c] { c->Editor().Paste(); },
            [c](CommandState& state) { state.enabled = c->Container().ClipboardCount() > 0; });

    for (const HistoryCommand& command : kHistory) {
        CommandTarget::Update update;
        if (command.possible)
            update = [c, command](CommandState& state) { state.enabled = (c->Container().*command.possible)(); };
        target.add(
            ToInt(command.id),
            [c, command] {
                (c->Editor().*command.step)(stepsOf(*c, command));
                c->RequestFullRefill();
            },
            update);
    }
}
