#pragma once
// The entity container of one page's objects: an object added to it belongs to its page.

#include "diagram/CDiagramEntityContainer.h"

class CSelectable;

class CPageObjectContainer : public CDiagramEntityContainer {
public:
    explicit CPageObjectContainer(CSelectable* page) : m_page(page) {}

    CSelectable* GetPage() const { return m_page; }
    // An object's new picture is ready: the page editor showing the container draws it.
    virtual void RepaintEntity(const CDiagramEntity& /*entity*/) {}

private:
    CSelectable* m_page;   // the page owns the container
};
