#pragma once
// The container of an open page's objects: an object whose new picture the background
// worker made is drawn again on the canvas that shows it.

#include <functional>

#include "editor/objects/CPageObjectContainer.h"

class CPageViewContainer : public CPageObjectContainer {
public:
    using Repaint = std::function<void(const CDiagramEntity&)>;

    explicit CPageViewContainer(CSelectable* page) : CPageObjectContainer(page) {}

    void SetRepaint(Repaint repaint) { m_repaint = std::move(repaint); }
    void RepaintEntity(const CDiagramEntity& entity) override
    {
        if (m_repaint)
            m_repaint(entity);
    }

private:
    Repaint m_repaint;
};
