#include "diagram/editor/CDiagramMenu.h"

#include "diagram/CommandId.h"
#include "diagram/editor/CDiagramEditor.h"

namespace {

constexpr CDiagramMenuItem kItems[] = {
    {ToInt(CommandId::EditCut), u"Cut"},
    {ToInt(CommandId::EditCopy), u"Copy"},
    {ToInt(CommandId::EditPaste), u"Paste"},
    {ToInt(CommandId::EditPasteToPosition), u"Paste to position"},
    {0, u""},
    {ToInt(CommandId::EditGroup), u"Group"},
    {ToInt(CommandId::EditUngroup), u"Ungroup"},
};

} // namespace

std::span<const CDiagramMenuItem> CDiagramMenu::Layout()
{
    return kItems;
}

std::vector<CDiagramMenuItem> CDiagramMenu::GetItems(const CDiagramEditor& editor) const
{
    const int32_t selected = editor.GetSelectCount();
    const bool clipboard = editor.GetContainer().ClipboardCount() > 0;
    std::vector<CDiagramMenuItem> items(kItems, kItems + std::size(kItems));
    for (CDiagramMenuItem& item : items) {
        switch (static_cast<CommandId>(item.command)) {
        case CommandId::EditCut:
        case CommandId::EditCopy: item.enabled = selected > 0; break;
        case CommandId::EditPaste:
        case CommandId::EditPasteToPosition: item.enabled = clipboard; break;
        case CommandId::EditGroup:
        case CommandId::EditUngroup: item.enabled = selected >= 2; break;
        default: break;
        }
    }
    return items;
}
