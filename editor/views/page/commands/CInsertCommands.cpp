#include "editor/views/page/commands/CInsertCommands.h"

#include <array>

#include "diagram/CommandId.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/page/CPage.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/CPageViewEnvironment.h"
#include "editor/views/page/commands/CPageCommandContext.h"
#include "platform/ui/CommandTable.h"

int32_t CInsertCommands::RowOfCommand(int32_t commandId)
{
    const auto rows = CObjectTypeTable::Rows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row].commandId == commandId && commandId >= 0)
            return int32_t(row);
    return 0;
}

bool CInsertCommands::IsCreatable(int32_t row)
{
    // Asked in every idle pass: which rows have a class is found once.
    static const std::array<bool, kPageObjectType + 1> creatable = [] {
        std::array<bool, kPageObjectType + 1> result{};
        for (int32_t index = kFirstObjectType; index <= kLastObjectType; ++index)
            result[std::size_t(index)] = CEditorObject::NewObject(index) != nullptr;
        return result;
    }();
    return row >= 0 && row < int32_t(creatable.size()) && creatable[std::size_t(row)];
}

void CInsertCommands::Register(CommandTarget& target, CPageCommandContext& context)
{
    CPageCommandContext* c = &context;
    const auto rows = CObjectTypeTable::Rows();
    for (int32_t row = kFirstObjectType; row <= kLastObjectType && row < int32_t(rows.size()); ++row)
        target.add(
            rows[std::size_t(row)].commandId,
            [c, row] {
                CPage* page = c->Page();
                if (!page || !IsCreatable(row))
                    return;
                if (std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(row, page)) {
                    object->TakeInstalledStyle();
                    c->Editor().StartInsert(std::move(object));
                }
            },
            [c, row](CommandState& state) { state.enabled = c->Page() && IsCreatable(row); });

    for (int32_t id = ToInt(CommandId::ActionFirst); id <= ToInt(CommandId::ActionLast); ++id)
        target.add(
            id, [c, id] { c->Host().InsertAction(id); },
            [c](CommandState& state) { state.enabled = c->View().GetEnvironment().CanInsertAction(); });
}
