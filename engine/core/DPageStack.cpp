#include "engine/core/DPageStack.h"

#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/render/DRenderer.h"
#include "engine/tags/DController.h"
#include "foundation/target/TargetPage.h"

namespace {

void invalidatePrimitives(DProject& project, DPage& page)
{
    for (DBaseObject* primitive : page.primitives())
        project.invalidate(primitive->bounds());
}

} // namespace

DPageStack::DPageStack(DProject& project) : m_project(project) {}

DPageStack::~DPageStack() = default;

void DPageStack::add(std::unique_ptr<DPage> page)
{
    m_pages.push_back(std::move(page));
}

void DPageStack::start(int32_t basePage, int32_t startPage)
{
    if (basePage >= 0 && std::size_t(basePage) < m_pages.size()) {
        showPage(basePage, DPageJump::Absolute);
        if (m_currentPage && !m_currentPage->isPopup()) {
            m_basePage = m_currentPage;
        } else if (m_currentPage) {
            // A pop-up cannot lie under every page: it is no base page.
            m_currentPage->hideAndDelete();
            m_currentPage = m_focusPage = nullptr;
            m_currentIndex = -1;
        }
    }
    showPage(startPage, DPageJump::Absolute);
}

void DPageStack::hideAll()
{
    DRenderer* renderer = m_project.renderer();
    if (m_currentPage && m_currentPage != m_basePage) {
        m_currentPage->hideAndDelete();
        if (renderer)
            renderer->freeBitmaps();
    }
    if (m_basePage) {
        m_basePage->hideAndDelete();
        if (renderer)
            renderer->freeBitmaps();
    }
    m_currentIndex = -1;
    m_previousIndex = -1;
    for (auto& page : m_pages)
        page->hideAndDelete();
}

void DPageStack::clear()
{
    m_pages.clear();
    m_basePage = m_currentPage = m_focusPage = nullptr;
}

void DPageStack::showPage(int32_t number, DPageJump jump)
{
    DPage* const popup = m_currentPage && m_currentPage->isPopup() ? m_currentPage : nullptr;
    // A pop-up with no page under it (a pop-up start page) gives way to any page asked for.
    const bool popupOverPage = popup && popup->pageUnder();
    if (popupOverPage && number != m_previousIndex)
        return;
    const int32_t old = m_currentIndex;
    const int32_t base = m_basePage ? m_project.header().basePageIndex() : -1;
    int64_t next;
    if (jump == DPageJump::Absolute) {
        if (m_basePage && number == base)
            return;
        next = number;
    } else {
        next = int64_t(old) + number;
        if (next == base)
            next += number;
    }
    if (next < 0 || uint64_t(next) >= m_pages.size())
        next = old;
    if (next == old)
        return;

    if (popup)
        closePopup(*popup);
    // The page under the pop-up is still read and shown.
    const bool closedPopup = popupOverPage;

    m_previousIndex = old;
    m_currentIndex = int32_t(next);
    DPage& page = *m_pages[std::size_t(next)];
    if (!closedPopup)
        (void)m_project.loadPage(page);
    m_currentPage = &page;

    if (!page.isPopup() || page.initialFocus() == -1) {
        if (!(m_focusPage && m_focusPage == m_basePage)) {
            DPage* focusTarget = &page;
            if (page.initialFocus() == -1)
                focusTarget = m_basePage && m_basePage->initialFocus() != -1 ? m_basePage : nullptr;
            if (m_focusPage != focusTarget)
                moveFocusTo(focusTarget);
        }
    } else {
        if (m_focusPage && m_focusPage != &page)
            m_focusPage->takeFocusAway();
        m_focusPage = &page;
        page.setFocus(page.initialFocus());
    }

    if (!closedPopup)
        page.show();
    m_project.restartInactivity();
    for (DController* controller : m_project.controllers())
        controller->onPageChanged();

    if (page.isPopup() && !closedPopup)
        openPopup(page, old);
    else if (!closedPopup && m_project.renderer())
        m_project.renderer()->evictUnmarked();
}

void DPageStack::closePopup(DPage& popup)
{
    invalidatePrimitives(m_project, popup);
    if (DPage* under = popup.pageUnder())
        invalidatePrimitives(m_project, *under);
    popup.hideAndDelete();
    if (m_project.renderer())
        m_project.renderer()->clearMarks();
}

void DPageStack::openPopup(DPage& popup, int32_t under)
{
    if (!isPageUnderPopup(under))
        return;
    DPage& page = *m_pages[std::size_t(under)];
    invalidatePrimitives(m_project, page);
    popup.setPageUnder(&page);
}

void DPageStack::makeRoomFor(uint32_t pageType)
{
    if (target::isPopUpPage(pageType))
        return;
    if (m_currentPage && m_currentPage != m_basePage)
        m_currentPage->hideAndDelete();
    if (m_project.renderer())
        m_project.renderer()->clearMarks();
    m_currentPage = nullptr;
}

bool DPageStack::isPageUnderPopup(int32_t index) const
{
    // The base page is drawn under every page anyway; a pop-up is never a page's ground.
    return index >= 0 && std::size_t(index) < m_pages.size() && !m_pages[std::size_t(index)]->isPopup() &&
           !(m_basePage && m_pages[std::size_t(index)].get() == m_basePage);
}

void DPageStack::moveFocusTo(DPage* page)
{
    if (m_focusPage)
        m_focusPage->takeFocusAway();
    // Recorded first, so a focus trigger that runs now already sees the new focus page.
    m_focusPage = page;
    if (page)
        page->setFocus(page->initialFocus());
}

void DPageStack::changePageFocus()
{
    DPage* focusTarget;
    if (m_focusPage && m_focusPage == m_basePage) {
        if (m_currentPage == m_focusPage)
            return;
        focusTarget = m_currentPage;
    } else {
        focusTarget = m_basePage;
    }
    moveFocusTo(focusTarget);
}
