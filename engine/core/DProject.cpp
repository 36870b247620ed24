#include "engine/core/DProject.h"

#include <cstdio>

#include "engine/actions/DAction.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/tags/DController.h"
#include "engine/render/DDisplay.h"
#include "engine/tags/DItemObserver.h"
#include "engine/core/DPage.h"
#include "engine/core/DPlatform.h"
#include "engine/render/DRenderer.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetPage.h"

namespace {

// A page size the window and the renderer can hold; a file asking for more keeps the window.
constexpr uint32_t kLargestPageSide = 4096;

bool isDue(uint32_t now, uint32_t due)
{
    return int32_t(now - due) > 0; // by signed difference, so the 32-bit clock may wrap
}

} // namespace

DProject::DProject(DPlatform& platform) : m_platform(platform) {}

DProject::~DProject()
{
    unload();
}

int DProject::attach(DRenderer* renderer, DDisplay* display)
{
    m_renderer = renderer;
    m_display = display;
    m_pointerPressed = false;
    m_keyPressed = false;
    const uint32_t now = m_platform.ticks();
    int status = DStatus::Ok;
    for (DController* controller : m_controllers)
        if (controller->init(now) != DStatus::Ok)
            status = DStatus::Failed;
    return status;
}

void DProject::closeFile()
{
    if (m_file)
        m_file->close();
    m_file.reset();
}

void DProject::unload()
{
    if (m_currentPage && m_currentPage->isPopup())
        showPage(m_previousIndex, Jump::Absolute);
    if (m_currentPage && m_currentPage != m_basePage) {
        m_currentPage->hideAndDelete();
        if (m_renderer)
            m_renderer->freeBitmaps();
    }
    if (m_basePage) {
        m_basePage->hideAndDelete();
        if (m_renderer)
            m_renderer->freeBitmaps();
    }
    m_currentIndex = -1;
    m_previousIndex = -1;
    for (auto& page : m_pages)
        page->hideAndDelete();
    // Widgets are gone, so no observer is left on the items the controllers delete.
    for (DController* controller : m_controllers)
        controller->release();
    m_pages.clear();
    m_basePage = m_currentPage = m_focusPage = nullptr;
    m_deferred.clear();
    m_dirty.clear();
    closeFile();
    m_loaded = false;
}

DValue* DProject::findTag(DItemDescriptor& descriptor)
{
    descriptor.item = nullptr;
    if (descriptor.controller >= m_controllers.size())
        return nullptr; // "no tag" or a controller this engine has not
    descriptor.item = m_controllers[descriptor.controller]->findItem(descriptor);
    return descriptor.item ? &descriptor.item->value() : nullptr;
}

int DProject::bindTag(DItemDescriptor& descriptor, DItemObserver& observer, Binding binding)
{
    if (!findTag(descriptor))
        return DStatus::Failed;
    if (binding == Binding::Watch)
        descriptor.item->addObserver(observer);
    else
        descriptor.item->removeObserver(observer);
    return DStatus::Ok;
}

int DProject::load(const DString& path)
{
    closeFile();
    m_file = m_platform.createFile();
    if (!m_file) {
        std::printf("Failed opening file!\n");
        return DStatus::Failed;
    }
    if (const int status = m_file->open(path); status != DStatus::Ok) {
        std::printf("Failed opening file!\n");
        return status;
    }
    DFile& file = *m_file;
    target::ChunkHeader riff;
    if (target::readRecord(file, riff) != DStatus::Ok || riff.identifier != target::kChunkRiff) {
        std::printf("RIFF header error!\n");
        return DStatus::Failed;
    }
    if (riff.third != target::kFormProject) {
        std::printf("No DProjectForm!\n");
        return DStatus::Failed;
    }
    target::ChunkHeader project;
    if (target::readRecord(file, project) != DStatus::Ok || project.identifier != target::kChunkProject) {
        std::printf("No project chunk!\n");
        return DStatus::Failed;
    }
    int status = target::readRecord(file, m_header);
    if (status != DStatus::Ok)
        return status;

    if (m_display) {
        (void)m_display->setLayerVisible(int(m_header.layerVisible));
        (void)m_display->setLayerOrigin({m_header.layerX, m_header.layerY});
        if (m_header.pageWidth > 0 && m_header.pageHeight > 0 && m_header.pageWidth <= kLargestPageSide &&
            m_header.pageHeight <= kLargestPageSide)
            (void)m_display->setSize(pageSize());
    }
    // Negated in unsigned arithmetic: the most negative word from a file stays itself.
    m_platform.setInputOrigin(int32_t(0u - uint32_t(m_header.layerX)), int32_t(0u - uint32_t(m_header.layerY)));

    // The page count is not trusted for allocation: the table is read entry by entry.
    status = file.seek(int64_t(m_header.pageTableOffset), DFile::FromStart);
    for (uint32_t i = 0; status == DStatus::Ok && i < m_header.pageCount; ++i) {
        uint32_t offset = 0;
        status = readWord(file, offset);
        if (status == DStatus::Ok) {
            std::unique_ptr<DPage> page(new DPage(this, offset));
            if (!page)
                status = DStatus::Failed;
            else
                m_pages.push_back(std::move(page));
        }
    }
    if (status != DStatus::Ok)
        return status;
    // The faces of the file's "font" chunks, before any page draws a text.
    if (m_renderer)
        (void)m_renderer->loadFonts(file, riff.nextChunkPosition(0));

    const int32_t base = m_header.basePageIndex();
    if (base >= 0 && std::size_t(base) < m_pages.size()) {
        showPage(base, Jump::Absolute);
        if (m_currentPage && !m_currentPage->isPopup()) {
            m_basePage = m_currentPage;
        } else if (m_currentPage) {
            // A pop-up cannot lie under every page: it is no base page.
            m_currentPage->hideAndDelete();
            m_currentPage = m_focusPage = nullptr;
            m_currentIndex = -1;
        }
    }
    showPage(m_header.startPage, Jump::Absolute);
    m_loaded = true;
    return DStatus::Ok;
}

int DProject::loadPage(DPage& page)
{
    if (!m_file)
        return DStatus::Failed;
    DFile& file = *m_file;
    // A page that cannot be read still takes the old page's place, as an empty page.
    const auto unreadable = [&](int status) {
        makeRoomFor(page.type());
        return status;
    };
    target::ChunkHeader chunk;
    if (file.seek(int64_t(page.chunkOffset()), DFile::FromStart) != DStatus::Ok ||
        target::readRecord(file, chunk) != DStatus::Ok || chunk.identifier != target::kChunkPage)
        return unreadable(DStatus::Failed);
    // Nothing of this page is read past its chunk.
    DFileLimit chunkLimit(file, chunk.nextChunkPosition(page.chunkOffset()));
    if (!chunkLimit.pushed())
        return unreadable(DStatus::Failed);
    target::PageHeader header;
    int status = target::readRecord(file, header);
    if (status != DStatus::Ok)
        return unreadable(status);
    const uint32_t type = header.pageType ? header.pageType : page.type();
    makeRoomFor(type);
    page.hideAndDelete();
    page.setType(type);
    page.setInitialFocus(header.initialFocus);
    status = file.seek(int64_t(header.firstRecordOffset), DFile::FromStart);
    const uint32_t phase = m_drawingPhase;
    m_drawingPhase = DDrawingPhase::Other;
    for (uint32_t number = 0; status == DStatus::Ok && number < header.objectCount; ++number) {
        const uint64_t start = file.tell();
        target::ObjectRecordPrefix prefix;
        status = target::readRecord(file, prefix);
        if (status != DStatus::Ok || prefix.recordSize < target::ObjectRecordPrefix::kSize)
            break; // a record that does not reach past its own prefix ends the page
        const uint64_t end = start + prefix.recordSize;
        const uint64_t actions = start + std::min(prefix.actionBlockOffset, prefix.recordSize);
        std::unique_ptr<DCompositeObject> widget(DCompositeObject::create(prefix.type, &page));
        if (widget) {
            {
                DFileLimit limit(file, actions);
                if (limit.pushed())
                    (void)widget->load(file);
            }
            if (file.seek(int64_t(actions), DFile::FromStart) == DStatus::Ok) {
                DFileLimit limit(file, end);
                if (limit.pushed())
                    (void)widget->loadActions(file);
            }
            widget->setIndex(int32_t(number));
            page.adopt(number, std::move(widget));
        }
        status = file.seek(int64_t(end), DFile::FromStart);
    }
    m_drawingPhase = phase;
    page.setOwnPrimitiveCount(uint32_t(page.primitives().size()));
    page.setOwnWidgetCount(uint32_t(page.widgets().size()));
    return status;
}

void DProject::showPage(int32_t number, Jump jump)
{
    const bool popupUp = m_currentPage && m_currentPage->isPopup();
    // While a pop-up is up, only a return to the page under it is honoured; one with no
    // page under it (a pop-up start page) gives way to any page asked for.
    const bool popupOverPage = popupUp && isPageUnderPopup(m_previousIndex);
    if (popupOverPage && number != m_previousIndex)
        return;
    const int32_t old = m_currentIndex;
    const int32_t base = m_basePage ? m_header.basePageIndex() : -1;
    int64_t next;
    if (jump == Jump::Absolute) {
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

    bool closedPopup = false;
    if (popupUp) {
        DPage& popup = *m_currentPage;
        for (DBaseObject* primitive : popup.primitives())
            invalidate(primitive->bounds());
        popup.primitives().resize(popup.ownPrimitiveCount());
        popup.widgets().resize(popup.ownWidgetCount());
        popup.clampFocus();
        popup.hideAndDelete();
        if (m_renderer)
            m_renderer->clearMarks();
        closedPopup = popupOverPage; // the page under it is still loaded and shown
    }

    m_previousIndex = old;
    m_currentIndex = int32_t(next);
    DPage& page = *m_pages[std::size_t(next)];
    if (!closedPopup)
        (void)loadPage(page);
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
    restartInactivity();
    for (DController* controller : m_controllers)
        controller->onPageChanged();

    if (page.isPopup() && !closedPopup) {
        if (isPageUnderPopup(old)) {
            DPage& under = *m_pages[std::size_t(old)];
            for (DBaseObject* primitive : under.primitives())
                invalidate(primitive->bounds());
            page.setOwnWidgetCount(uint32_t(page.widgets().size()));
            page.primitives().insert(page.primitives().end(), under.primitives().begin(), under.primitives().end());
            page.widgets().insert(page.widgets().end(), under.widgets().begin(), under.widgets().end());
        }
    } else if (!closedPopup && m_renderer) {
        m_renderer->evictUnmarked();
    }
    if (page.isPopup() || closedPopup)
        for (DBaseObject* primitive : m_currentPage->primitives())
            primitive->setPage(m_currentPage);
}

void DProject::makeRoomFor(uint32_t type)
{
    // A page that is no pop-up takes the current page's place; the base page stays.
    if (target::isPopUpPage(type))
        return;
    if (m_currentPage && m_currentPage != m_basePage)
        m_currentPage->hideAndDelete();
    if (m_renderer)
        m_renderer->clearMarks();
    m_currentPage = nullptr;
}

bool DProject::isPageUnderPopup(int32_t index) const
{
    // The base page is drawn under every page anyway; a pop-up is never a page's ground.
    return index >= 0 && std::size_t(index) < m_pages.size() && !m_pages[std::size_t(index)]->isPopup() &&
           !(m_basePage && m_pages[std::size_t(index)].get() == m_basePage);
}

void DProject::moveFocusTo(DPage* page)
{
    if (m_focusPage)
        m_focusPage->takeFocusAway();
    // Recorded first, so a focus trigger that runs now already sees the new focus page.
    m_focusPage = page;
    if (page)
        page->setFocus(page->initialFocus());
}

void DProject::changePageFocus()
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

void DProject::render()
{
    for (DPage* page : {m_basePage, m_currentPage == m_basePage ? nullptr : m_currentPage})
        if (page)
            for (DCompositeObject* widget : page->widgets())
                if (widget)
                    widget->flush();
    DRect united{};
    if (m_basePage) {
        m_drawingPhase = DDrawingPhase::BasePage;
        redraw(*m_basePage, united);
    }
    if (m_currentPage && m_currentPage != m_basePage) {
        m_drawingPhase = DDrawingPhase::CurrentPage;
        redraw(*m_currentPage, united);
    }
    m_drawingPhase = DDrawingPhase::Other;

    m_dirty.clear();
    if (united.isEmpty() || !m_renderer || !m_renderer->target())
        return;
    const DRect display = m_renderer->target()->bounds();
    united.left = std::max(united.left, 0);
    united.top = std::max(united.top, 0);
    united.right = std::min(united.right, display.right);
    united.bottom = std::min(united.bottom, display.bottom);
    m_renderer->present(united);
}

void DProject::redraw(DPage& page, DRect& united)
{
    const std::vector<DBaseObject*>& primitives = page.primitives();
    for (const DRect& dirty : m_dirty) {
        bool begun = false;
        for (std::size_t i = primitives.size(); i-- > 0;) {
            DBaseObject* primitive = primitives[i];
            if (!m_renderer || !primitive->isVisible() || !primitive->bounds().meets(dirty))
                continue;
            if (!begun) {
                m_renderer->beginFrame();
                begun = true;
            }
            primitive->draw(*m_renderer, dirty);
        }
        united = united.united(dirty);
    }
}

void DProject::invalidate(const DRect& rect)
{
    std::size_t i = 0;
    while (i < m_dirty.size() && !m_dirty[i].meets(rect))
        ++i;
    if (i == m_dirty.size()) {
        m_dirty.push_back(rect);
        return;
    }
    DRect grown = m_dirty[i].united(rect);
    for (std::size_t j = i + 1; j < m_dirty.size();) {
        if (m_dirty[j].meets(grown)) {
            grown = grown.united(m_dirty[j]);
            m_dirty.erase(m_dirty.begin() + std::ptrdiff_t(j));
        } else {
            ++j;
        }
    }
    m_dirty[i] = grown;
}

int32_t DProject::widgetNumberOn(DPage& page, const DBaseObject& primitive) const
{
    int32_t number = primitive.owner()->index();
    // A widget of the page under a pop-up sits behind the pop-up's own widgets.
    if (primitive.owner()->page() != &page)
        number += int32_t(page.ownWidgetCount());
    return number;
}

int DProject::hitTest(DPage& page, DPoint point)
{
    DBaseObject* captured = page.capture();
    if (!page.isPressed() && captured)
        return 1;
    const DCompositeObject* capturedWidget = captured ? captured->owner() : nullptr;
    const std::vector<DBaseObject*>& primitives = page.primitives();
    DBaseObject* hit = nullptr;
    for (std::size_t i = 0; i < primitives.size(); ++i) {
        DBaseObject* primitive = primitives[i];
        if (!primitive->owner() || primitive->owner() == capturedWidget)
            continue;
        if (captured && !primitive->owner()->slidesOn())
            continue;
        if (page.type() == DPage::Dialog && i >= page.ownPrimitiveCount())
            return 1; // a dialog blocks the page below it
        if (primitive->isTouchable() && primitive->bounds().contains(point)) {
            hit = primitive;
            break;
        }
    }
    if (!hit)
        return 0;
    page.setFocus(widgetNumberOn(page, *hit));
    if (captured)
        captured->onPointerUp(point);
    hit->onPointerDown(point);
    page.setCapture(hit);
    page.setPressed(true);
    return 1;
}

void DProject::onPointerDown(DPoint point)
{
    if (m_currentPage) {
        DPage* hitPage = nullptr;
        if (hitTest(*m_currentPage, point))
            hitPage = m_currentPage;
        else if (m_basePage && m_basePage != m_currentPage && hitTest(*m_basePage, point))
            hitPage = m_basePage;
        if (hitPage && hitPage != m_focusPage)
            moveFocusTo(hitPage);
    }
    m_pointerPressed = true;
    m_lastPointer = point;
    m_holdDue = 0;
    afterInput();
}

void DProject::onPointerMove(DPoint point)
{
    m_lastPointer = point;
    DPage* page = m_focusPage;
    if (page && page->capture()) {
        DBaseObject* captured = page->capture();
        if (!page->isPressed() || !captured->owner() || !captured->owner()->slidesOn())
            captured->onPointerMove(point);
        else if (!hitTest(*page, point))
            captured->onPointerMove(point);
    }
    afterInput();
}

void DProject::onPointerUp(DPoint point)
{
    m_pointerPressed = false;
    if (DPage* page = m_focusPage) {
        if (DBaseObject* captured = page->capture()) {
            // Released first, so the widget's release is no longer inside a capture.
            page->setCapture(nullptr);
            page->setPressed(false);
            captured->onPointerUp(point);
        }
        const int32_t pressed = page->pressedIndex();
        if (pressed != -1 && pressed != page->focusIndex()) {
            if (std::size_t(pressed) < page->widgets().size() && page->widgets()[std::size_t(pressed)])
                page->widgets()[std::size_t(pressed)]->setFocus(0);
            page->setPressedIndex(-1);
        }
    }
    afterInput();
}

void DProject::onKeyDown(uint32_t key)
{
    if (m_focusPage) {
        if (DCompositeObject* widget = m_focusPage->focusedWidget())
            widget->onKey(key);
        if (key == uint32_t(target::KeyCode::Enter) || key == uint32_t(target::KeyCode::Escape))
            m_focusPage->setPressedIndex(-1);
    }
    m_keyPressed = true;
    m_lastKey = key;
    m_keyDue = 0;
    afterInput();
}

void DProject::onKeyUp(uint32_t key)
{
    m_keyPressed = false;
    if (m_focusPage)
        if (DCompositeObject* widget = m_focusPage->focusedWidget())
            widget->onKeyUp(key);
    afterInput();
}

void DProject::afterInput()
{
    if (m_currentPage && m_currentPage->type() == DPage::ScreenSaver)
        showPage(m_previousIndex, Jump::Absolute);
    else
        restartInactivity();
}

void DProject::restartInactivity()
{
    if (m_header.screenSaverTimeout)
        m_inactivityDue = m_platform.ticks() + m_header.screenSaverTimeout;
}

void DProject::tickTime(uint32_t now)
{
    if (m_currentPage && m_currentPage->type() != DPage::ScreenSaver && m_header.screenSaverTimeout &&
        isDue(now, m_inactivityDue))
        showPage(m_header.screenSaverPage, Jump::Absolute);
    if (m_pointerPressed) {
        if (m_holdDue == 0) {
            m_holdDue = now + m_header.holdFirst;
        } else if (isDue(now, m_holdDue)) {
            if (m_focusPage && m_focusPage->capture())
                m_focusPage->capture()->onPointerHold(m_lastPointer);
            m_holdDue += m_header.holdRepeat;
        }
    }
    if (m_keyPressed) {
        if (m_keyDue == 0) {
            m_keyDue = now + m_header.holdFirst;
        } else if (isDue(now, m_keyDue)) {
            if (m_focusPage)
                if (DCompositeObject* widget = m_focusPage->focusedWidget())
                    widget->onKeyHold(m_lastKey);
            m_keyDue += m_header.holdRepeat;
        }
    }
    if (m_currentPage)
        m_currentPage->tick(now);
    if (m_basePage && m_basePage != m_currentPage)
        m_basePage->tick(now);
}

void DProject::defer(DAction* clone)
{
    if (clone)
        m_deferred.emplace_back(clone);
}

void DProject::runDeferred()
{
    // What these actions queue waits for the next frame.
    std::vector<std::unique_ptr<DAction>> due;
    due.swap(m_deferred);
    for (auto& action : due)
        (void)action->execute(1);
}
