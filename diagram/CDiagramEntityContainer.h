#pragma once
// The entities of one page in drawing order (index 0 at the bottom), its paper size,
// its undo and redo snapshots and the clipboard it copies to. The container owns its
// entities; snapshots and the clipboard own detached clones that point at no page.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diagram/CDiagramClipboardHandler.h"
#include "diagram/CDiagramEntity.h"
#include "diagram/CUndoItem.h"
#include "diagram/CommandId.h"
#include "foundation/worker/CBkgViewActivityCell.h"

// Which entities SendMessageToObjects reaches.
enum class MessageTargets { All, SelectedOnly };
enum class MarkModified { No, Yes };


class CDiagramEntityContainer {
public:
    using UndoStack = std::vector<std::unique_ptr<CUndoItem>>;

    CDiagramEntityContainer();
    virtual ~CDiagramEntityContainer();
    CDiagramEntityContainer(const CDiagramEntityContainer&) = delete;
    CDiagramEntityContainer& operator=(const CDiagramEntityContainer&) = delete;

    // "paper:%i,%i;" and its reading; false (nothing changed) for any other line.
    virtual std::u16string GetString() const;
    virtual bool FromString(std::u16string_view line);
    virtual void Export(std::vector<std::u16string>& lines) const;

    // The handler is borrowed and must outlive the container; none restores the own one.
    virtual void SetClipboardHandler(CDiagramClipboardHandler* handler);
    virtual CDiagramClipboardHandler& GetClipboardHandler();

    virtual CDiagramEntity* GetAt(int32_t index) const;
    virtual void Add(std::unique_ptr<CDiagramEntity> entity);
    // An entity the user just made: inserted, pasted or duplicated. Containers whose
    // entities are referred to by name give it one that no other holds before it is added.
    virtual void AddNew(std::unique_ptr<CDiagramEntity> entity) { Add(std::move(entity)); }
    virtual void RemoveAt(int32_t index);
    virtual void Clear();
    virtual void DeleteSelected();
    virtual void Remove(CDiagramEntity* entity);
    virtual void SelectAll();
    virtual void UnselectAll();
    virtual void SelectEntity(CDiagramEntity* entity, bool selected);
    virtual void SelectAt(int32_t index, bool selected);
    virtual void Undo();
    virtual void Redo();
    virtual void Snapshot(std::u16string_view label);
    virtual void ClearUndo();
    virtual void ClearRedo();
    virtual int32_t Group();
    virtual int32_t Ungroup();
    // The clone's index, or -1 when the entity is not held.
    virtual int32_t Duplicate(CDiagramEntity* entity);
    virtual void Cut(CDiagramEntity* entity);
    virtual void Copy(CDiagramEntity* entity);
    virtual void PopUp(CDiagramEntity* entity);
    virtual void PushDown(CDiagramEntity* entity);
    virtual void ToFront(CDiagramEntity* entity);
    virtual void ToBottom(CDiagramEntity* entity);
    virtual void Paste();
    virtual void CopySelected();
    virtual int32_t ClipboardCount();
    virtual void ClipboardClear();
    virtual void PasteToPosition(CDiagramPoint point);
    // Gives the command to each entity in order until one acts; returns that answer.
    virtual int32_t SendMessageToObjects(int32_t command, MessageTargets targets, CDiagramEntity* sender,
                                         CDiagramWindow* parent, MarkModified mark);

    // What the view editing this container is doing, for the worker's resize deferral;
    // entities take it when they join. None while no view edits the container.
    void SetViewActivity(std::shared_ptr<const CBkgViewActivityCell> activity) { m_viewActivity = std::move(activity); }
    const std::shared_ptr<const CBkgViewActivityCell>& GetViewActivity() const { return m_viewActivity; }

    int32_t GetSize() const { return int32_t(m_entities.size()); }
    int32_t GetSelectCount() const;
    int32_t IndexOf(const CDiagramEntity* entity) const;
    // Replaces (and deletes) the entity at index; nothing when index is out of range.
    void SetAt(int32_t index, std::unique_ptr<CDiagramEntity> entity);
    void Swap(int32_t first, int32_t second);
    // Hands the entity at index to the caller; it then points at no container.
    std::unique_ptr<CDiagramEntity> Detach(int32_t index);

    CDiagramPoint GetPaperSize() const { return {m_paperWidth, m_paperHeight}; }
    void SetPaperSize(int32_t width, int32_t height);
    bool IsModified() const { return m_modified; }
    // Setting also marks the current project modified.
    void SetModified(bool modified);

    int32_t GetUndoDepth() const { return m_maximumUndo; }
    void SetUndoDepth(int32_t depth);
    const UndoStack& GetUndoStack() const { return m_undo; }
    const UndoStack& GetRedoStack() const { return m_redo; }
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }

    // A snapshot of the current state pushed onto a stack; the oldest snapshots make
    // room when memory is short.
    void PushState(UndoStack& stack, std::u16string_view label);
    // Replaces the entities by fresh clones of the newest snapshot and drops it.
    void Restore(UndoStack& stack);
    // Shows the stack's labels in the ribbon button's list.
    void UpdateUndoButtonList(const UndoStack& stack, CommandId command);

private:
    enum class MovePlace { Top, Bottom };
    void MoveTo(CDiagramEntity* entity, std::u16string_view label, MovePlace place);
    void Refresh();
    // Deletes every entity, telling the host first.
    void ReleaseAll();
    static void ClearStack(UndoStack& stack);

    std::vector<std::unique_ptr<CDiagramEntity>> m_entities;
    std::shared_ptr<const CBkgViewActivityCell> m_viewActivity;
    UndoStack m_undo;
    UndoStack m_redo;
    int32_t m_maximumUndo = 30;
    int32_t m_paperWidth = 0;
    int32_t m_paperHeight = 0;
    CDiagramClipboardHandler* m_clipboard = nullptr;
    CDiagramClipboardHandler m_ownClipboard;
    bool m_modified = false;
};
