#include "editor/views/page/commands/CPageViewCommands.h"

#include <vector>

#include "diagram/CommandId.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/commands/CArrangeCommands.h"
#include "editor/views/page/commands/CEditCommands.h"
#include "editor/views/page/commands/CInsertCommands.h"
#include "editor/views/page/commands/CPageSettingsCommands.h"
#include "editor/views/page/commands/CTextFormatCommands.h"

CPageViewCommands::CPageViewCommands(CChildViewPage& view) : m_context(view)
{
    CTextFormatCommands::Register(m_target, m_context);
    CPageSettingsCommands::Register(m_target, m_context);
    CArrangeCommands::Register(m_target, m_context);
    CEditCommands::Register(m_target, m_context);
    CInsertCommands::Register(m_target, m_context);
}

std::span<const int32_t> CPageViewCommands::CommandIds()
{
    static const std::vector<int32_t> ids = [] {
        std::vector<int32_t> all;
        for (const CommandId id :
             {CommandId::GridVisible, CommandId::SnapToGrid, CommandId::GridDots, CommandId::GridLines,
              CommandId::FontName, CommandId::FontSize, CommandId::FontGrow, CommandId::FontShrink,
              CommandId::FontColour, CommandId::FontBold, CommandId::FontItalic, CommandId::FontUnderline,
              CommandId::TextRightToLeft, CommandId::TextAlignLeft, CommandId::TextAlignCentre,
              CommandId::TextAlignRight, CommandId::PageSize, CommandId::ResizePageObjects, CommandId::PageColour,
              CommandId::Zoom, CommandId::ZoomFit, CommandId::ZoomReset, CommandId::PageDelete,
              CommandId::PageDuplicate, CommandId::OrderUp, CommandId::OrderDown, CommandId::OrderToFront,
              CommandId::OrderToBack, CommandId::Group, CommandId::Ungroup, CommandId::AlignLeft,
              CommandId::AlignRight, CommandId::AlignTop, CommandId::AlignBottom, CommandId::Lock,
              CommandId::LockSize, CommandId::LockPosition, CommandId::OriginalSize, CommandId::Cut,
              CommandId::Copy, CommandId::Clone, CommandId::Paste, CommandId::EditUndo, CommandId::UndoKey,
              CommandId::EditRedo, CommandId::RedoKey, CommandId::PositionX, CommandId::PositionY,
              CommandId::SizeWidth, CommandId::SizeHeight, CommandId::PageTransparency})
            all.push_back(ToInt(id));
        for (int32_t id = ToInt(CommandId::ActionFirst); id <= ToInt(CommandId::ActionLast); ++id)
            all.push_back(id);
        const auto rows = CObjectTypeTable::Rows();
        for (int32_t row = kFirstObjectType; row <= kLastObjectType && row < int32_t(rows.size()); ++row)
            all.push_back(rows[std::size_t(row)].commandId);
        return all;
    }();
    return ids;
}
