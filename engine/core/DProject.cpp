#include "engine/core/DProject.h"

#include "engine/actions/DAction.h"
#include "engine/core/DPage.h"
#include "engine/core/DPlatform.h"
#include "engine/core/DStatus.h"
#include "engine/render/DDisplay.h"
#include "engine/render/DRenderer.h"
#include "engine/tags/DController.h"
#include "engine/tags/DItemObserver.h"
#include "engine/widgets/DCompositeObject.h"

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
    m_input.release();
    const uint32_t now = m_platform.ticks();
    int status = DStatus::Ok;
    for (DController* controller : m_controllers)
        if (controller->init(now) != DStatus::Ok)
            status = DStatus::Failed;
    return status;
}

void DProject::unload()
{
    if (currentPage() && currentPage()->isPopup())
        showPage(previousIndex(), Jump::Absolute);
    m_pages.hideAll();
    // Widgets are gone, so no observer is left on the items the controllers delete.
    for (DController* controller : m_controllers)
        controller->release();
    m_pages.clear();
    m_deferred.clear();
    m_dirty.clear();
    m_reader.close();
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
    int status = m_reader.open(path);
    if (status != DStatus::Ok)
        return status;
    applyHeader();
    status = m_reader.readPageTable();
    if (status != DStatus::Ok)
        return status;
    if (m_renderer)
        m_reader.loadFonts(*m_renderer);
    m_pages.start(header().basePageIndex(), header().startPage);
    m_loaded = true;
    return DStatus::Ok;
}

void DProject::applyHeader()
{
    const target::ProjectHeader& project = header();
    if (m_display) {
        (void)m_display->setLayerVisible(int(project.layerVisible));
        (void)m_display->setLayerOrigin({project.layerX, project.layerY});
        if (project.pageWidth > 0 && project.pageHeight > 0 && project.pageWidth <= kLargestPageSide &&
            project.pageHeight <= kLargestPageSide)
            (void)m_display->setSize(pageSize());
    }
    // Negated in unsigned arithmetic: the most negative word from a file stays itself.
    m_platform.setInputOrigin(int32_t(0u - uint32_t(project.layerX)), int32_t(0u - uint32_t(project.layerY)));
}

void DProject::render()
{
    DPage* lower = m_pages.lowerPage();
    DPage* upper = m_pages.upperPage();
    // The page under a pop-up flushes after the pop-up's own widgets.
    for (DPage* page : {lower, upper, upper ? upper->pageUnder() : nullptr})
        if (page)
            for (DCompositeObject* widget : page->widgets())
                if (widget)
                    widget->flush();
    DRect united{};
    if (lower) {
        m_drawingPhase = DDrawingPhase::BasePage;
        m_dirty.redraw(*lower, m_renderer, united);
    }
    if (upper) {
        m_drawingPhase = DDrawingPhase::CurrentPage;
        m_dirty.redraw(*upper, m_renderer, united);
    }
    m_drawingPhase = DDrawingPhase::Other;
    m_dirty.present(m_renderer, united);
}

void DProject::afterInput()
{
    if (currentPage() && currentPage()->type() == DPage::ScreenSaver)
        showPage(previousIndex(), Jump::Absolute);
    else
        restartInactivity();
}

void DProject::restartInactivity()
{
    if (header().screenSaverTimeout)
        m_inactivityDue = m_platform.ticks() + header().screenSaverTimeout;
}

void DProject::tickTime(uint32_t now)
{
    const target::ProjectHeader& project = header();
    if (currentPage() && currentPage()->type() != DPage::ScreenSaver && project.screenSaverTimeout &&
        isDue(now, m_inactivityDue))
        showPage(project.screenSaverPage, Jump::Absolute);
    m_input.tick(now, project.holdFirst, project.holdRepeat);
    if (DPage* current = currentPage())
        current->tick(now);
    if (DPage* base = basePage(); base && base != currentPage())
        base->tick(now);
}

void DProject::defer(std::unique_ptr<DAction> clone)
{
    m_deferred.defer(std::move(clone));
}
