#include "diagram/CDiagramClipboardHandler.h"

#include <map>

#include "diagram/CDiagramEntityContainer.h"

CDiagramClipboardHandler::~CDiagramClipboardHandler()
{
    Clear();
}

void CDiagramClipboardHandler::Keep(const CDiagramEntity& entity)
{
    std::unique_ptr<CDiagramEntity> clone = entity.CloneDetached();
    clone->Select(true);
    clone->MoveRect(10, 10);
    m_items.push_back(std::move(clone));
}

void CDiagramClipboardHandler::CopyOne(const CDiagramEntity& entity)
{
    Clear();
    Keep(entity);
}

void CDiagramClipboardHandler::CopySelected(const CDiagramEntityContainer& container)
{
    Clear();
    for (int32_t i = 0; i < container.GetSize(); ++i)
        if (const CDiagramEntity* entity = container.GetAt(i); entity->IsSelected())
            Keep(*entity);
}

std::vector<int32_t> CDiagramClipboardHandler::RenumberGroups() const
{
    std::map<int32_t, int32_t> mapped;
    std::vector<int32_t> groups;
    groups.reserve(m_items.size());
    for (const auto& item : m_items) {
        const int32_t group = item->GetGroup();
        if (group == 0) {
            groups.push_back(0);
            continue;
        }
        auto found = mapped.find(group);
        if (found == mapped.end()) {
            const int32_t next = CDiagramEntity::GetHighestGroup() + 1;
            CDiagramEntity::RaiseHighestGroup(next);
            found = mapped.emplace(group, next).first;
        }
        groups.push_back(found->second);
    }
    return groups;
}

void CDiagramClipboardHandler::Paste(CDiagramEntityContainer& container)
{
    const std::vector<int32_t> groups = RenumberGroups();
    for (size_t i = 0; i < m_items.size(); ++i) {
        std::unique_ptr<CDiagramEntity> clone = m_items[i]->CloneDetached();
        clone->SetGroup(groups[i]);
        clone->SetParent(&container);
        clone->Select(true);
        clone->Invalidate();
        container.AddNew(std::move(clone));
    }
}

int32_t CDiagramClipboardHandler::Count() const
{
    return int32_t(m_items.size());
}

void CDiagramClipboardHandler::Clear()
{
    while (!m_items.empty())
        m_items.pop_back();
}

std::span<const std::unique_ptr<CDiagramEntity>> CDiagramClipboardHandler::Items() const
{
    return m_items;
}
