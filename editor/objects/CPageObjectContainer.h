#pragma once
// The entity container of one page's objects: an object added to it belongs to its page.

#include "diagram/CDiagramEntityContainer.h"

class CSelectable;

class CPageObjectContainer : public CDiagramEntityContainer {
public:
    explicit CPageObjectContainer(CSelectable* page) : m_page(page) {}

    CSelectable* GetPage() const { return m_page; }
    // Inserted and pasted objects get a name of their own: actions and the other pages
    // find objects by name.
    void AddNew(std::unique_ptr<CDiagramEntity> entity) override;
    // An object's new picture is ready: the page editor showing the container draws it.
    virtual void RepaintEntity(const CDiagramEntity& /*entity*/) {}

private:
    CSelectable* m_page;   // the page owns the container
};
