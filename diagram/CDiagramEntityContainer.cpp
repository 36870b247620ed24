#include "diagram/CDiagramEntityContainer.h"

#include <algorithm>
#include <limits>
#include <new>

#include "diagram/CDiagramHost.h"
#include "diagram/EntityTextLine.h"

CDiagramEntityContainer::CDiagramEntityContainer() = default;

CDiagramEntityContainer::~CDiagramEntityContainer()
{
    ReleaseAll();
    ClearStack(m_undo);
    ClearStack(m_redo);
}

std::u16string CDiagramEntityContainer::GetString() const
{
    using EntityTextLine::FormatInt;
    return u"paper:" + FormatInt(m_paperWidth) + u"," + FormatInt(m_paperHeight) + u";";
}

bool CDiagramEntityContainer::FromString(std::u16string_view line)
{
    using namespace EntityTextLine;
    const std::vector<std::u16string> parts = Split(line, u':');
    if (parts.size() != 2 || Trim(parts[0]) != u"paper")
        return false;
    std::u16string_view size = parts[1];
    if (!size.empty())
        size.remove_suffix(1); // the closing ";"
    const std::vector<std::u16string> numbers = Split(size, u',');
    if (numbers.size() != 2)
        return false;
    SetPaperSize(ParseInt(numbers[0]), ParseInt(numbers[1]));
    return true;
}

void CDiagramEntityContainer::Export(std::vector<std::u16string>& lines) const
{
    for (const auto& entity : m_entities)
        lines.push_back(entity->Export());
}

void CDiagramEntityContainer::SetClipboardHandler(CDiagramClipboardHandler* handler)
{
    m_clipboard = handler;
}

CDiagramClipboardHandler& CDiagramEntityContainer::GetClipboardHandler()
{
    return m_clipboard ? *m_clipboard : m_ownClipboard;
}

CDiagramEntity* CDiagramEntityContainer::GetAt(int32_t index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return m_entities[size_t(index)].get();
}

void CDiagramEntityContainer::Add(std::unique_ptr<CDiagramEntity> entity)
{
    if (!entity)
        return;
    entity->SetParent(this);
    m_entities.push_back(std::move(entity));
    SetModified(true);
}

void CDiagramEntityContainer::RemoveAt(int32_t index)
{
    if (index < 0 || index >= GetSize())
        return;
    CDiagramHost::Get().EntityRemoved(*this, *m_entities[size_t(index)]);
    m_entities.erase(m_entities.begin() + index);
    SetModified(true);
}

void CDiagramEntityContainer::ReleaseAll()
{
    CDiagramHost& host = CDiagramHost::Get();
    for (const auto& entity : m_entities)
        host.EntityRemoved(*this, *entity);
    m_entities.clear();
}

std::unique_ptr<CDiagramEntity> CDiagramEntityContainer::Detach(int32_t index)
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    CDiagramHost::Get().EntityRemoved(*this, *m_entities[size_t(index)]);
    std::unique_ptr<CDiagramEntity> entity = std::move(m_entities[size_t(index)]);
    m_entities.erase(m_entities.begin() + index);
    entity->SetParent(nullptr);
    SetModified(true);
    return entity;
}

void CDiagramEntityContainer::Clear()
{
    ReleaseAll();
    SetModified(true);
}

void CDiagramEntityContainer::DeleteSelected()
{
    Snapshot(u"delete/cut");
    for (int32_t i = GetSize() - 1; i >= 0; --i)
        if (m_entities[size_t(i)]->IsSelected())
            RemoveAt(i);
    Refresh();
}

void CDiagramEntityContainer::Remove(CDiagramEntity* entity)
{
    RemoveAt(IndexOf(entity));
}

void CDiagramEntityContainer::SelectAll()
{
    for (int32_t i = 0; i < GetSize(); ++i)
        m_entities[size_t(i)]->Select(true);
}

void CDiagramEntityContainer::UnselectAll()
{
    for (int32_t i = 0; i < GetSize(); ++i)
        m_entities[size_t(i)]->Select(false);
}

void CDiagramEntityContainer::SelectEntity(CDiagramEntity* entity, bool selected)
{
    if (entity)
        entity->Select(selected);
}

void CDiagramEntityContainer::SelectAt(int32_t index, bool selected)
{
    if (CDiagramEntity* entity = GetAt(index))
        entity->Select(selected);
}

void CDiagramEntityContainer::Undo()
{
    if (m_undo.empty())
        return;
    const std::u16string label = m_undo.back()->label;
    PushState(m_redo, label);
    Restore(m_undo);
    // Going back is a change of the page like any other.
    SetModified(true);
    Refresh();
}

void CDiagramEntityContainer::Redo()
{
    if (m_redo.empty())
        return;
    const std::u16string label = m_redo.back()->label;
    PushState(m_undo, label);
    Restore(m_redo);
    SetModified(true);
    Refresh();
}

void CDiagramEntityContainer::Snapshot(std::u16string_view label)
{
    if (m_maximumUndo <= 0)
        return;
    ClearRedo();
    while (int32_t(m_undo.size()) >= m_maximumUndo)
        m_undo.erase(m_undo.begin());
    PushState(m_undo, label);
    UpdateUndoButtonList(m_undo, CommandId::EditUndo);
    UpdateUndoButtonList(m_redo, CommandId::EditRedo);
}

void CDiagramEntityContainer::ClearStack(UndoStack& stack)
{
    while (!stack.empty())
        stack.erase(stack.begin());
}

void CDiagramEntityContainer::ClearUndo()
{
    ClearStack(m_undo);
}

void CDiagramEntityContainer::ClearRedo()
{
    ClearStack(m_redo);
}

void CDiagramEntityContainer::PushState(UndoStack& stack, std::u16string_view label)
{
    if (m_maximumUndo <= 0)
        return;
    while (true) {
        try {
            auto item = std::make_unique<CUndoItem>();
            item->paperWidth = m_paperWidth;
            item->paperHeight = m_paperHeight;
            item->label = label;
            item->entities.reserve(m_entities.size());
            for (const auto& entity : m_entities)
                item->entities.push_back(entity->CloneDetached());
            stack.push_back(std::move(item));
            return;
        } catch (const std::bad_alloc&) {
            // Old snapshots give way to the new one; the edit itself always goes ahead.
            if (stack.empty())
                return;
            stack.erase(stack.begin());
        }
    }
}

void CDiagramEntityContainer::Restore(UndoStack& stack)
{
    if (stack.empty())
        return;
    std::unique_ptr<CUndoItem> item = std::move(stack.back());
    stack.pop_back();
    Clear();
    for (const auto& entity : item->entities)
        Add(entity->CloneDetached());
    SetPaperSize(item->paperWidth, item->paperHeight);
}

void CDiagramEntityContainer::UpdateUndoButtonList(const UndoStack& stack, CommandId command)
{
    std::vector<std::u16string> labels;
    labels.reserve(stack.size());
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        labels.push_back((*it)->label);
    CDiagramHost::Get().UpdateUndoButtonList(command, labels);
}

int32_t CDiagramEntityContainer::Group()
{
    Snapshot(u"group");
    const int32_t group = CDiagramEntity::GetHighestGroup() + 1;
    for (const auto& entity : m_entities)
        if (entity->IsSelected())
            entity->SetGroup(group);
    SetModified(true);
    return 1;
}

int32_t CDiagramEntityContainer::Ungroup()
{
    Snapshot(u"ungroup");
    for (const auto& entity : m_entities)
        if (entity->IsSelected())
            entity->SetGroup(0);
    SetModified(true);
    return 1;
}

int32_t CDiagramEntityContainer::Duplicate(CDiagramEntity* entity)
{
    if (IndexOf(entity) < 0)
        return -1;
    Snapshot(u"duplicate");
    std::unique_ptr<CDiagramEntity> clone = entity->CloneDetached();
    clone->SetRect(clone->GetLeft() + 10, clone->GetTop() + 10, clone->GetRight() + 10, clone->GetBottom() + 10);
    CDiagramEntity* added = clone.get();
    AddNew(std::move(clone));
    added->Select(true);
    Refresh();
    return IndexOf(added);
}

void CDiagramEntityContainer::Cut(CDiagramEntity* entity)
{
    if (IndexOf(entity) < 0)
        return;
    Snapshot(u"cut");
    Copy(entity);
    Remove(entity);
    Refresh();
}

void CDiagramEntityContainer::Copy(CDiagramEntity* entity)
{
    if (entity)
        GetClipboardHandler().CopyOne(*entity);
}

void CDiagramEntityContainer::PopUp(CDiagramEntity* entity)
{
    Snapshot(u"pop up");
    const int32_t index = IndexOf(entity);
    if (index >= 0 && index + 1 < GetSize())
        Swap(index, index + 1);
    Refresh();
}

void CDiagramEntityContainer::PushDown(CDiagramEntity* entity)
{
    Snapshot(u"push down");
    const int32_t index = IndexOf(entity);
    if (index > 0)
        Swap(index, index - 1);
    Refresh();
}

void CDiagramEntityContainer::ToFront(CDiagramEntity* entity)
{
    MoveTo(entity, u"front", MovePlace::Top);
}

void CDiagramEntityContainer::ToBottom(CDiagramEntity* entity)
{
    MoveTo(entity, u"bottom", MovePlace::Bottom);
}

void CDiagramEntityContainer::MoveTo(CDiagramEntity* entity, std::u16string_view label, MovePlace place)
{
    Snapshot(label);
    const int32_t index = IndexOf(entity);
    if (index >= 0) {
        std::unique_ptr<CDiagramEntity> moved = std::move(m_entities[size_t(index)]);
        m_entities.erase(m_entities.begin() + index);
        m_entities.insert(place == MovePlace::Top ? m_entities.end() : m_entities.begin(), std::move(moved));
        SetModified(true);
    }
    Refresh();
}

void CDiagramEntityContainer::Paste()
{
    Snapshot(u"paste");
    GetClipboardHandler().Paste(*this);
    Refresh();
}

void CDiagramEntityContainer::CopySelected()
{
    GetClipboardHandler().CopySelected(*this);
}

int32_t CDiagramEntityContainer::ClipboardCount()
{
    return GetClipboardHandler().Count();
}

void CDiagramEntityContainer::ClipboardClear()
{
    GetClipboardHandler().Clear();
}

void CDiagramEntityContainer::PasteToPosition(CDiagramPoint point)
{
    Snapshot(u"paste to position");
    CDiagramClipboardHandler& handler = GetClipboardHandler();
    const auto items = handler.Items();
    if (items.empty()) {
        Refresh();
        return;
    }
    // The kept clones carry the +10 of the copy; the set lands with its top-left
    // corner 20 pixels up and left of the point, as the page editor has always done.
    int64_t left = std::numeric_limits<int32_t>::max();
    int64_t top = std::numeric_limits<int32_t>::max();
    for (const auto& item : items) {
        const CDiagramRect rect = item->GetRect();
        left = std::min<int64_t>(left, rect.left);
        top = std::min<int64_t>(top, rect.top);
    }
    const std::vector<int32_t> groups = handler.RenumberGroups();
    const int64_t dx = int64_t(point.x) - left - 10;
    const int64_t dy = int64_t(point.y) - top - 10;
    for (size_t i = 0; i < items.size(); ++i) {
        std::unique_ptr<CDiagramEntity> clone = items[i]->CloneDetached();
        clone->SetGroup(groups[i]);
        const CDiagramRect rect = items[i]->GetRect();
        auto moved = [](int64_t value) {
            return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
        };
        clone->SetIntRect(moved(rect.left - 10 + dx), moved(rect.top - 10 + dy), moved(rect.right - 10 + dx),
                          moved(rect.bottom - 10 + dy));
        CDiagramEntity* added = clone.get();
        AddNew(std::move(clone));
        added->Select(true);
        added->Invalidate();
    }
    Refresh();
}

int32_t CDiagramEntityContainer::SendMessageToObjects(int32_t command, MessageTargets targets,
                                                      CDiagramEntity* sender, CDiagramWindow* parent,
                                                      MarkModified mark)
{
    // By index: a command may remove or reorder entities, and the walk stops at the
    // first entity that acts, so nothing is touched after such a change.
    for (int32_t i = 0; i < GetSize(); ++i) {
        CDiagramEntity* entity = m_entities[size_t(i)].get();
        if (targets == MessageTargets::SelectedOnly && !entity->IsSelected())
            continue;
        if (mark == MarkModified::Yes)
            SetModified(true);
        if (const int32_t result = entity->DoMessage(command, sender, parent); result != 0)
            return result;
    }
    return 0;
}

int32_t CDiagramEntityContainer::GetSelectCount() const
{
    return int32_t(std::count_if(m_entities.begin(), m_entities.end(),
                                 [](const auto& entity) { return entity->IsSelected(); }));
}

int32_t CDiagramEntityContainer::IndexOf(const CDiagramEntity* entity) const
{
    for (size_t i = 0; i < m_entities.size(); ++i)
        if (m_entities[i].get() == entity)
            return int32_t(i);
    return -1;
}

void CDiagramEntityContainer::SetAt(int32_t index, std::unique_ptr<CDiagramEntity> entity)
{
    if (index < 0 || index >= GetSize() || !entity)
        return;
    entity->SetParent(this);
    CDiagramHost::Get().EntityRemoved(*this, *m_entities[size_t(index)]);
    m_entities[size_t(index)] = std::move(entity);
    SetModified(true);
}

void CDiagramEntityContainer::Swap(int32_t first, int32_t second)
{
    if (first < 0 || second < 0 || first >= GetSize() || second >= GetSize())
        return;
    std::swap(m_entities[size_t(first)], m_entities[size_t(second)]);
    SetModified(true);
}

void CDiagramEntityContainer::SetPaperSize(int32_t width, int32_t height)
{
    m_paperWidth = width;
    m_paperHeight = height;
}

void CDiagramEntityContainer::SetModified(bool modified)
{
    m_modified = modified;
    if (modified)
        CDiagramHost::Get().SetProjectModified();
}

void CDiagramEntityContainer::SetUndoDepth(int32_t depth)
{
    m_maximumUndo = std::max(depth, 0);
    while (int32_t(m_undo.size()) > m_maximumUndo)
        m_undo.erase(m_undo.begin());
}

void CDiagramEntityContainer::Refresh()
{
    CDiagramHost::Get().RefreshObjects(*this);
}
