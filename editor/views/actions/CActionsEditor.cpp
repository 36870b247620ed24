#include "editor/views/actions/CActionsEditor.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <map>
#include <set>

#include "diagram/CommandId.h"
#include "editor/document/ActionTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CPropertyValue.h"
#include "editor/document/CSelectable.h"
#include "editor/project/document/CProjectSettings.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/actions/CActionReferences.h"
#include "editor/views/actions/CDlgTrigger.h"
#include "editor/views/actions/CTargetGuard.h"
#include "editor/views/icons/CEditorIcons.h"
#include "foundation/TextHelpers.h"

namespace {

constexpr std::u16string_view kBehavior = u"Behavior";
constexpr std::u16string_view kActionScript = u"_Action script";
constexpr int kEntryRole = Qt::UserRole;
constexpr int kGroupData = -1;
constexpr std::array<int, 3> kColumnWidths{10, 100, 200};

QString qt(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

int32_t itemData(const QTreeWidgetItem* item)
{
    return item ? item->data(CActionsEditor::TriggerColumn, kEntryRole).toInt() : kGroupData;
}

QIcon actionIcon(std::u16string_view action)
{
    return CEditorIcons::ActionIcon(int(FindActionByName(action, CProjectSettings::kFormatVersion)));
}

std::optional<std::u16string> runTriggerDialog(QWidget* parent, const CSelectable* target)
{
    CDlgTrigger dialog(target && !target->IsPage() ? target : nullptr, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.GetTriggerText();
}

} // namespace

CActionsEditor::CActionsEditor(CEditorHost& host, QWidget* parent)
    : QTreeWidget(parent), m_host(host), m_target(std::make_unique<CTargetGuard>(host)),
      m_chooseTrigger(runTriggerDialog)
{
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Trigger"), QStringLiteral("Action"), QStringLiteral("Parameters")});
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, kColumnWidths[std::size_t(column)]);
    setColumnHidden(TriggerColumn, true);
    header()->setVisible(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] {
        if (!IsDragging())
            emit RowSelectionChanged();
    });
}

CActionsEditor::~CActionsEditor() = default;

void CActionsEditor::SetTarget(CSelectable* target)
{
    m_target->Set(target);
}

CSelectable* CActionsEditor::GetTarget() const
{
    return m_target->Get();
}

void CActionsEditor::DropTarget()
{
    m_target->Clear();
    m_entries.clear();
    m_dirty = false;
    m_dragEntry = -1;
    RemoveAllRows();
}

bool CActionsEditor::OnSelectableGoing(const CSelectable& going)
{
    if (!m_target->Forget(going))
        return false;
    DropTarget();
    return true;
}

void CActionsEditor::SetEntries(std::vector<CActionsGridData> entries)
{
    m_entries = std::move(entries);
}

void CActionsEditor::RemoveAllRows()
{
    const QSignalBlocker blocker(this);
    clear();
}

void CActionsEditor::RebuildRows(int32_t select)
{
    std::set<std::u16string_view> withActions;
    for (const CActionsGridData& entry : m_entries)
        if (!entry.IsPlaceholder())
            withActions.insert(entry.trigger);
    // One bucket per trigger in the order of first use; a placeholder whose trigger has an
    // action stays out.
    std::map<std::u16string_view, std::size_t> groupOf;
    std::vector<std::vector<int32_t>> groups;
    for (int32_t i = 0; i < int32_t(m_entries.size()); ++i) {
        const CActionsGridData& entry = m_entries[std::size_t(i)];
        if (entry.IsPlaceholder() && withActions.contains(entry.trigger))
            continue;
        const auto [found, added] = groupOf.try_emplace(entry.trigger, groups.size());
        if (added)
            groups.emplace_back();
        groups[found->second].push_back(i);
    }
    std::vector<CActionsGridData> ordered;
    ordered.reserve(m_entries.size() + m_triggerNames.size());
    int32_t selected = -1;
    for (const std::vector<int32_t>& group : groups)
        for (const int32_t i : group) {
            if (i == select)
                selected = int32_t(ordered.size());
            ordered.push_back(std::move(m_entries[std::size_t(i)]));
        }
    // Triggers that are to be offered though no entry has them yet.
    std::set<std::u16string> collapsed;
    for (const std::u16string& name : m_triggerNames)
        if (!groupOf.contains(name) && collapsed.insert(name).second)
            ordered.push_back({name, std::u16string(CActionsGridData::kEmpty), {}, 0});
    for (int32_t i = 0; i < int32_t(ordered.size()); ++i)
        ordered[std::size_t(i)].index = i;
    m_entries = std::move(ordered);

    const QSignalBlocker blocker(this);
    clear();
    const QBrush placeholderText = palette().brush(QPalette::Disabled, QPalette::Text);
    QTreeWidgetItem* groupItem = nullptr;
    for (const CActionsGridData& entry : m_entries) {
        if (!groupItem || groupItem->text(TriggerColumn) != qt(entry.trigger)) {
            groupItem = new QTreeWidgetItem(this);
            groupItem->setText(TriggerColumn, qt(entry.trigger));
            groupItem->setText(ActionColumn, qt(entry.trigger));
            groupItem->setData(TriggerColumn, kEntryRole, kGroupData);
            QFont bold = groupItem->font(ActionColumn);
            bold.setBold(true);
            groupItem->setFont(ActionColumn, bold);
            groupItem->setExpanded(!collapsed.contains(entry.trigger));
        }
        auto* row = new QTreeWidgetItem(groupItem);
        row->setText(TriggerColumn, qt(entry.trigger));
        row->setText(ActionColumn, qt(entry.action));
        row->setIcon(ActionColumn, actionIcon(entry.action));
        row->setText(ParametersColumn, qt(entry.parameters));
        row->setData(TriggerColumn, kEntryRole, entry.index);
        if (entry.IsPlaceholder())
            for (int column = 0; column < columnCount(); ++column)
                row->setForeground(column, placeholderText);
    }
    if (selected >= 0)
        setCurrentItem(EntryItem(selected), ActionColumn);
}

bool CActionsEditor::IsActionRow(int32_t entry) const
{
    return entry >= 0 && entry < int32_t(m_entries.size()) && !m_entries[std::size_t(entry)].IsPlaceholder();
}

int32_t CActionsEditor::SelectedEntry() const
{
    const QTreeWidgetItem* item = currentItem();
    const int32_t entry = item && item->isSelected() ? itemData(item) : -1;
    return entry < int32_t(m_entries.size()) ? entry : -1;
}

std::optional<std::u16string> CActionsEditor::SelectedGroup() const
{
    const QTreeWidgetItem* item = currentItem();
    if (!item || !item->isSelected() || item->parent() || itemData(item) != kGroupData)
        return std::nullopt;
    return item->text(TriggerColumn).toStdU16String();
}

void CActionsEditor::SelectEntry(int32_t entry)
{
    if (QTreeWidgetItem* item = EntryItem(entry))
        setCurrentItem(item, ActionColumn);
    else
        setCurrentItem(nullptr);
}

void CActionsEditor::SelectGroup(std::u16string_view trigger)
{
    setCurrentItem(GroupItem(trigger), ActionColumn);
}

QTreeWidgetItem* CActionsEditor::EntryItem(int32_t entry) const
{
    if (entry < 0)
        return nullptr;
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r)
            if (itemData(group->child(r)) == entry)
                return group->child(r);
    }
    return nullptr;
}

QTreeWidgetItem* CActionsEditor::GroupItem(std::u16string_view trigger) const
{
    for (int g = 0; g < topLevelItemCount(); ++g)
        if (topLevelItem(g)->text(TriggerColumn) == qt(trigger))
            return topLevelItem(g);
    return nullptr;
}

void CActionsEditor::SetEntryAction(int32_t entry, std::u16string_view action)
{
    if (entry < 0 || entry >= int32_t(m_entries.size()))
        return;
    m_entries[std::size_t(entry)].action = action;
    if (QTreeWidgetItem* item = EntryItem(entry)) {
        const QSignalBlocker blocker(this);
        item->setText(ActionColumn, qt(action));
        item->setIcon(ActionColumn, actionIcon(action));
        const QBrush text = palette().brush(action == CActionsGridData::kEmpty ? QPalette::Disabled : QPalette::Active,
                                            QPalette::Text);
        for (int column = 0; column < columnCount(); ++column)
            item->setForeground(column, text);
    }
}

void CActionsEditor::SetEntryParameters(int32_t entry, std::u16string_view parameters)
{
    if (entry < 0 || entry >= int32_t(m_entries.size()))
        return;
    m_entries[std::size_t(entry)].parameters = parameters;
    if (QTreeWidgetItem* item = EntryItem(entry)) {
        const QSignalBlocker blocker(this);
        item->setText(ParametersColumn, qt(parameters));
    }
}

std::string CActionsEditor::WriteScript(ScriptForm form) const
{
    return CActionScriptRows::ToScript(m_entries, CActionReferences(m_host.GetProject(), GetTarget()), form);
}

void CActionsEditor::StoreScript()
{
    CSelectable* target = GetTarget();
    if (!target || !m_dirty)
        return;
    const std::u16string text = utf8ToWide(WriteScript(ScriptForm::Stored));
    target->GetProperties().SetPropertyValue(kBehavior, kActionScript, CPropertyValue(text));
    m_dirty = false;
}

std::unique_ptr<QMenu> CActionsEditor::CreateContextMenu(const QPoint& position)
{
    if (!GetTarget())
        return nullptr;
    QTreeWidgetItem* row = itemAt(position);
    const int32_t entry = itemData(row);
    const bool onActionRow = IsActionRow(entry);
    auto menu = std::make_unique<QMenu>(this);
    QAction* add = menu->addAction(QStringLiteral("Add trigger..."), this, [this] { OnAddTrigger(); });
    add->setData(ToInt(CommandId::ActionsAddTrigger));
    QAction* duplicate = menu->addAction(QStringLiteral("Duplicate"), this, [this, entry] { OnDuplicate(entry); });
    duplicate->setData(ToInt(CommandId::ActionsDuplicateRow));
    duplicate->setEnabled(onActionRow);
    QAction* remove = menu->addAction(QStringLiteral("Delete"), this, [this, row] { OnDelete(row); });
    remove->setData(ToInt(CommandId::ActionsDeleteRow));
    remove->setEnabled(row != nullptr);
    return menu;
}

void CActionsEditor::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint position = viewport()->mapFrom(this, event->pos());
    if (const std::unique_ptr<QMenu> menu = CreateContextMenu(position))
        menu->exec(event->globalPos());
}

void CActionsEditor::OnAddTrigger()
{
    CSelectable* target = GetTarget();
    if (!target)
        return;
    const std::optional<std::u16string> trigger = m_chooseTrigger(this, target);
    if (!trigger)
        return;
    m_entries.insert(m_entries.begin(), {*trigger, std::u16string(CActionsGridData::kEmpty), {}, 0});
    RebuildRows(-1);
    if (QTreeWidgetItem* group = GroupItem(*trigger))
        group->setExpanded(true);
    Changed();
}

void CActionsEditor::OnDuplicate(int32_t entry)
{
    if (entry < 0 || entry >= int32_t(m_entries.size()))
        return;
    const CActionsGridData copy = m_entries[std::size_t(entry)];
    m_entries.insert(m_entries.begin() + entry + 1, copy);
    RebuildRows(entry);
    Changed();
}

void CActionsEditor::OnDelete(QTreeWidgetItem* row)
{
    if (!row)
        return;
    const int32_t entry = itemData(row);
    if (entry >= 0 && entry < int32_t(m_entries.size())) {
        m_entries.erase(m_entries.begin() + entry);
    } else {
        const std::u16string trigger = row->text(TriggerColumn).toStdU16String();
        std::erase_if(m_entries, [&](const CActionsGridData& data) { return data.trigger == trigger; });
    }
    RebuildRows(-1);
    setFocus();
    Changed();
}

void CActionsEditor::Changed()
{
    m_dirty = true;
    m_host.MarkProjectModified();
    emit EntriesChanged();
}

bool CActionsEditor::StepEntry(int32_t& entry, int direction)
{
    const int32_t neighbour = entry + direction;
    if (entry < 0 || neighbour < 0 || neighbour >= int32_t(m_entries.size()))
        return false;
    CActionsGridData& dragged = m_entries[std::size_t(entry)];
    const CActionsGridData& next = m_entries[std::size_t(neighbour)];
    if (next.trigger == dragged.trigger) {
        std::swap(m_entries[std::size_t(entry)], m_entries[std::size_t(neighbour)]);
        entry = neighbour;
    } else {
        // Over the border the entry joins the neighbour's group, at the side it came from.
        dragged.trigger = next.trigger;
    }
    RebuildRows(entry);
    entry = SelectedEntry();
    return entry >= 0;
}

int CActionsEditor::VisualRow(const QTreeWidgetItem* item) const
{
    int row = 0;
    for (int g = 0; g < topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = topLevelItem(g);
        if (group == item)
            return row;
        ++row;
        for (int r = 0; r < group->childCount(); ++r, ++row)
            if (group->child(r) == item)
                return row;
    }
    return -1;
}

bool CActionsEditor::MoveEntryTowards(int32_t& entry, const QTreeWidgetItem* target)
{
    const int goal = VisualRow(target);
    const int start = VisualRow(EntryItem(entry));
    if (goal < 0 || start < 0 || goal == start)
        return false;
    const int direction = goal > start ? 1 : -1;
    bool moved = false;
    // Each step moves the entry one row or one group border; the bound ends any loop.
    for (std::size_t steps = 0; steps <= 2 * m_entries.size(); ++steps) {
        const int now = VisualRow(EntryItem(entry));
        if (direction > 0 ? now >= goal : now <= goal)
            break;
        if (!StepEntry(entry, direction))
            break;
        moved = true;
    }
    return moved;
}

void CActionsEditor::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* row = itemAt(event->position().toPoint());
    const int32_t entry = itemData(row);
    if (event->button() != Qt::LeftButton || !IsActionRow(entry)) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    setCurrentItem(row, ActionColumn);
    m_dragEntry = entry;
    m_dragMoved = false;
    event->accept();
}

void CActionsEditor::mouseMoveEvent(QMouseEvent* event)
{
    if (!IsDragging()) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    const QTreeWidgetItem* over = itemAt(event->position().toPoint());
    if (over && over != EntryItem(m_dragEntry) && MoveEntryTowards(m_dragEntry, over)) {
        m_dragMoved = true;
        m_dirty = true;
    }
    event->accept();
}

void CActionsEditor::mouseReleaseEvent(QMouseEvent* event)
{
    if (!IsDragging()) {
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    const int32_t entry = m_dragEntry;
    m_dragEntry = -1;
    {
        const QSignalBlocker blocker(this);
        SelectEntry(entry);
    }
    if (m_dragMoved) {
        m_host.MarkProjectModified();
        StoreScript();
        emit EntriesChanged();
    }
    m_dragMoved = false;
    emit RowSelectionChanged();
    event->accept();
}

void CActionsEditor::focusOutEvent(QFocusEvent* event)
{
    StoreScript();
    QTreeWidget::focusOutEvent(event);
}
