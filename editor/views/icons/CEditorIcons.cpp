#include "editor/views/icons/CEditorIcons.h"

#include <algorithm>

#include "editor/document/ActionTable.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/views/icons/CEditorIconEngine.h"
#include "editor/views/icons/IconTable.h"

namespace {

const IconRow* findRow(int strip, int index)
{
    for (const IconRow& row : IconTable())
        if (row.strip == strip && row.index == index)
            return &row;
    if (const int fallback = IconFallbackStrip(strip))
        return findRow(fallback, index);
    return nullptr;
}

// The program icon is no strip's picture.
constexpr IconSpec kProgramIcon{Glyph::Program, 0x3d7ac7, Badge::None};

} // namespace

QIcon CEditorIcons::Icon(IconStrip strip, int index) { return Icon(int(strip), index); }

QIcon CEditorIcons::Icon(int strip, int index)
{
    const IconRow* row = findRow(strip, index);
    return row ? QIcon(new CEditorIconEngine(row->spec)) : QIcon();
}

bool CEditorIcons::Has(IconStrip strip, int index) { return findRow(int(strip), index) != nullptr; }

std::vector<int> CEditorIcons::Indexes(IconStrip strip)
{
    std::vector<int> indexes;
    for (const IconRow& row : IconTable())
        if (row.strip == int(strip))
            indexes.push_back(row.index);
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

QIcon CEditorIcons::ObjectTypeIcon(int objectType)
{
    const auto rows = CObjectTypeTable::Rows();
    if (objectType < kFirstObjectType || objectType > kLastObjectType)
        return {};
    return Icon(IconStrip::Insert, rows[std::size_t(objectType)].icon);
}

QIcon CEditorIcons::PageTypeIcon(int pageType) { return Icon(IconStrip::Page, pageType + 2); }

QIcon CEditorIcons::ActionIcon(int actionRow)
{
    const auto& rows = ActionTable();
    if (actionRow < 0 || std::size_t(actionRow) >= rows.size())
        return {};
    return Icon(IconStrip::Actions, rows[std::size_t(actionRow)].imageIndex);
}

QIcon CEditorIcons::PaneIcon(int index) { return Icon(IconStrip::Panes, index); }

QIcon CEditorIcons::ProgramIcon() { return QIcon(new CEditorIconEngine(kProgramIcon)); }
