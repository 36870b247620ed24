#pragma once
// The in-memory clipboard of the page editor: detached clones of copied entities,
// which outlive the page they came from and are cloned again into the page pasted to.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "diagram/CDiagramEntity.h"

class CDiagramEntityContainer;

class CDiagramClipboardHandler {
public:
    CDiagramClipboardHandler() = default;
    virtual ~CDiagramClipboardHandler();
    CDiagramClipboardHandler(const CDiagramClipboardHandler&) = delete;
    CDiagramClipboardHandler& operator=(const CDiagramClipboardHandler&) = delete;

    virtual void CopyOne(const CDiagramEntity& entity);
    // Adds a fresh clone of every kept entity to container, selected, with new group numbers.
    virtual void Paste(CDiagramEntityContainer& container);
    virtual void CopySelected(const CDiagramEntityContainer& container);
    virtual int32_t Count() const;
    virtual void Clear();
    virtual std::span<const std::unique_ptr<CDiagramEntity>> Items() const;

    // For each kept entity the group its pasted copy gets: each group met is given the
    // next free number, so a paste never joins the groups already on the page.
    std::vector<int32_t> RenumberGroups() const;

private:
    void Keep(const CDiagramEntity& entity);

    std::vector<std::unique_ptr<CDiagramEntity>> m_items;
};
