#pragma once
// The objects pane: the objects of the active page under two roots, "Page" for those
// with an area on the page and "Page (logical)" for the invisible ones (triggers,
// timers). Selected objects are bold, a script or a lock shows as an overlay. A click
// selects the object (through the main frame's command), a drag within a group changes
// the z-order, a label edit renames, and the context menu renames or deletes. The pane
// keeps no object: items name their objects by index in the active page's container,
// looked up through the host whenever they are used.

#include <cstdint>
#include <span>
#include <string_view>

#include "editor/views/panes/CTreePane.h"
#include "editor/views/panes/PaneItemData.h"

class CDiagramEntity;
class CDiagramEntityContainer;
class CEditorObject;

class CObjectsBar : public CTreePane {
    Q_OBJECT
public:
    static constexpr int kTreeId = 261;
    static constexpr std::u16string_view kVisibleRoot = u"Page";
    static constexpr std::u16string_view kLogicalRoot = u"Page (logical)";
    // Group 0: objects with an area on the page; group 1: the invisible ones.
    static constexpr int32_t kGroupCount = 2;
    // A script this long, trimmed, earns the script overlay.
    static constexpr std::size_t kScriptOverlayLength = 20;
    // The lock bits that earn the lock overlay.
    static constexpr uint32_t kLockOverlayBits = 2 | 4;
    static constexpr std::u16string_view kNameTaken = u"Specified name is already used on this page by another object.";
    static constexpr std::u16string_view kZOrderLabel = u"change object Z order";
    static constexpr std::u16string_view kRemoveLabel = u"remove object";

    // Both outlive the pane.
    CObjectsBar(CEditorHost& host, CommandTable& commands, QWidget* parent = nullptr);
    ~CObjectsBar() override;

    // The tree follows the active page's objects; emptied without an active page.
    void Rebuild();
    // Bold and overlays from the active page; false when the tree no longer matches
    // it (the caller rebuilds).
    bool UpdateItemStates();
    // The main frame's delete-object command: the selected object item's object is
    // removed from the page (undoable); nothing for a root or without a page.
    void DeleteSelectedObject();
    // The selected item's data (0 without a selection); its low 16 bits are the
    // object's index plus 1, 0 for a root.
    int32_t GetSelectedItemData() const;
    bool IsObjectItemSelected() const;
    // Edits the selected object's label (F2, or the main frame's rename command).
    bool StartLabelEdit();
    // The keyboard modifiers of the last click on an item (Ctrl builds a selection).
    Qt::KeyboardModifiers GetClickModifiers() const;

    // The container announces that entity leaves it: a drag of it ends and the tree
    // is rebuilt before anything looks up the old positions.
    void OnEntityRemoved(const CDiagramEntityContainer& container, const CDiagramEntity& entity);

    // The context menu of an object item (228).
    static std::span<const PaneMenuItem> ObjectMenu();

    // Which group an object belongs to, and the overlay it earns.
    static int32_t GroupOf(const CEditorObject& object);
    static PaneItemData::Overlay OverlayOf(const CEditorObject& object);

protected:
    void OnClicked(QTreeWidgetItem* item) override;
    void OnDoubleClicked(QTreeWidgetItem* item) override;
    std::span<const PaneMenuItem> MenuFor(QTreeWidgetItem* item) const override;
    bool OnDragStarted(QTreeWidgetItem* item) override;
    void OnDraggedOver(QTreeWidgetItem* item) override;
    void OnDragEnded() override;
    bool OnEndLabelEdit(QTreeWidgetItem& item, const QString& text) override;

private:
    CDiagramEntityContainer* container() const;
    CEditorObject* objectOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* groupRoot(int32_t group);
    void dropItems();

    // While dragging: the dragged item's data and group; -1 when not dragging.
    int32_t m_draggedData = 0;
    int32_t m_draggedGroup = -1;
    // The objects the items were built from: rows of another page are never marked.
    const CDiagramEntityContainer* m_shown = nullptr;
};
