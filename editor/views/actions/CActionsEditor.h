#pragma once
// The actions grid: the entries of one page's or object's action script as rows grouped
// by trigger (a group row per trigger, its action rows under it), with the context menu
// to add a trigger, duplicate and delete, and the drag that moves an action row, across
// group borders too. Entries are kept in the order the rows show them; that is the order
// the script is stored in.

#include <QTreeWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/views/actions/CActionScriptRows.h"
#include "editor/views/actions/CActionsGridData.h"

class CEditorHost;
class CSelectable;
class QMenu;

class CActionsEditor : public QTreeWidget {
    Q_OBJECT
public:
    enum Column { TriggerColumn = 0, ActionColumn = 1, ParametersColumn = 2 };
    // Asks for a trigger text for the target (the page when it is one); none on Cancel.
    using TriggerChooser = std::function<std::optional<std::u16string>(QWidget* parent, const CSelectable* target)>;

    explicit CActionsEditor(CEditorHost& host, QWidget* parent = nullptr);
    ~CActionsEditor() override;

    // The page or object whose script is shown; none. The target is never dereferenced
    // once the project no longer holds it.
    void SetTarget(CSelectable* target);
    CSelectable* GetTarget() const;
    // Forgets the target and its rows without storing anything: it is going away.
    void DropTarget();
    // Drops the target when it is going (or its page is); true when it did.
    bool OnSelectableGoing(const CSelectable& going);

    std::vector<CActionsGridData>& Entries() { return m_entries; }
    const std::vector<CActionsGridData>& Entries() const { return m_entries; }
    void SetEntries(std::vector<CActionsGridData> entries);
    // Triggers that get a placeholder row when no entry has them; none by default.
    void SetTriggerNames(std::vector<std::u16string> names) { m_triggerNames = std::move(names); }

    // The rows from the entries: one group per trigger in the order of first use, a
    // placeholder left out where its trigger has a real action; entries renumbered in
    // row order. Selects the entry at select (-1 none).
    void RebuildRows(int32_t select = -1);
    void RemoveAllRows();

    // An entry with a real action (not a placeholder).
    bool IsActionRow(int32_t entry) const;
    // The selected row: its entry index; -1 for none or a group row.
    int32_t SelectedEntry() const;
    // The trigger of the selected group row; none when no group row is selected.
    std::optional<std::u16string> SelectedGroup() const;
    void SelectEntry(int32_t entry);
    void SelectGroup(std::u16string_view trigger);
    // The row of an entry and the group row of a trigger; none.
    QTreeWidgetItem* EntryItem(int32_t entry) const;
    QTreeWidgetItem* GroupItem(std::u16string_view trigger) const;
    // Writes into an entry and its row.
    void SetEntryAction(int32_t entry, std::u16string_view action);
    void SetEntryParameters(int32_t entry, std::u16string_view parameters);

    // The JSON text of the entries.
    std::string WriteScript(ScriptForm form) const;
    // Stores the script into the target's "_Action script" when the grid is dirty and
    // the text differs; clears the dirty flag.
    void StoreScript();
    bool IsDirty() const { return m_dirty; }
    void SetDirty(bool dirty) { m_dirty = dirty; }

    // The context menu at a viewport position; none without a target.
    std::unique_ptr<QMenu> CreateContextMenu(const QPoint& position);
    void OnAddTrigger();
    void OnDuplicate(int32_t entry);
    void OnDelete(QTreeWidgetItem* row);
    void SetTriggerChooser(TriggerChooser chooser) { m_chooseTrigger = std::move(chooser); }

    // Moves the dragged entry one row at a time until it stands on target's row: a step
    // swaps it with its neighbour of the same trigger, or gives it the neighbour's trigger
    // at a group border. True when anything moved.
    bool MoveEntryTowards(int32_t& entry, const QTreeWidgetItem* target);
    bool IsDragging() const { return m_dragEntry >= 0; }

signals:
    // The selected row changed, other than while a row is dragged.
    void RowSelectionChanged();
    // Rows or parameters changed by a grid command (dirty, project modified).
    void EntriesChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Changed();
    bool StepEntry(int32_t& entry, int direction);
    int VisualRow(const QTreeWidgetItem* item) const;

    CEditorHost& m_host;
    std::vector<CActionsGridData> m_entries;
    std::unique_ptr<class CTargetGuard> m_target;
    std::vector<std::u16string> m_triggerNames;
    bool m_dirty = false;
    int32_t m_dragEntry = -1;
    bool m_dragMoved = false;
    TriggerChooser m_chooseTrigger;
};
