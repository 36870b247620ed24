#pragma once
// The entity container of one page's objects: an object added to it belongs to its page.

#include "diagram/CDiagramEntityContainer.h"

class CSelectable;

class CPageObjectContainer : public CDiagramEntityContainer {
public:
    explicit CPageObjectContainer(CSelectable* page) : m_page(page) {}

    CSelectable* GetPage() const { return m_page; }

private:
    CSelectable* m_page;   // the page owns the container
};
