#include "editor/shell/ribbon/CRibbonWalk.h"

#include <algorithm>

#include "diagram/CommandId.h"
#include "editor/shell/ribbon/CAcceleratorTable.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"

namespace {

// The print commands stay as the class library shows unhandled commands; nothing
// handles Paste Special either.
constexpr int kWithoutHandler[] = {
    ToInt(CommandId::FilePrint),
    ToInt(CommandId::FilePrintDirect),
    ToInt(CommandId::FilePrintPreview),
    ToInt(CommandId::EditPasteSpecial),
};

} // namespace

std::span<const int> CRibbonWalk::CommandsWithoutHandler() { return kWithoutHandler; }

std::vector<int> CRibbonWalk::CommandIds(const CRibbonBar& bar)
{
    std::vector<int> ids;
    const auto add = [&ids](int id) {
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    };
    for (const CRibbonCommand& command : bar.CommandList())
        add(command.id);
    for (const CRibbonControl& control : bar.Controls())
        add(control.id);
    for (int id : bar.QuickAccess().CommandIds())
        add(id);
    for (const AcceleratorRow& row : CAcceleratorTable::Rows())
        add(row.id);
    return ids;
}

std::vector<int> CRibbonWalk::Unreached(const CRibbonBar& bar, const CommandTable& commands)
{
    std::vector<int> unreached;
    const auto without = CommandsWithoutHandler();
    for (int id : CommandIds(bar))
        if (!commands.route(id) && std::find(without.begin(), without.end(), id) == without.end())
            unreached.push_back(id);
    return unreached;
}
