#include "engine/core/DApplication.h"

#include "engine/tags/DCharsetTable.h"
#include "engine/core/DFrame.h"
#include "engine/core/DStatus.h"

DApplication::DApplication(DEngineParts& parts, DEngineOptions options)
    : m_parts(parts), m_options(std::move(options)), m_previousNarrowConversion(DString::narrowConversion())
{
    // Narrow text goes through the same character-set rows as the tag values.
    DString::setNarrowConversion(&engineNarrowConversion);
}

DApplication::~DApplication()
{
    if (m_display)
        m_display->close();
    m_display.reset();
    m_project.reset();
    m_systemController.reset();
    m_localController.reset();
    m_memoryController.reset();
    m_platform.reset();
    DString::setNarrowConversion(m_previousNarrowConversion);
}

int DApplication::init(int width, int height)
{
    // The project reads through the platform's files, so the platform comes first.
    m_platform = m_parts.createPlatform();
    if (!m_platform)
        return DStatus::Failed;
    m_systemController = std::make_unique<DController_System>(*this);
    m_localController = std::make_unique<DController_Local>();
    m_memoryController = std::make_unique<DController_Mem>(
        m_options.memoryImageSize,
        m_options.memoryImageSizeFixed ? DController_Mem::Growth::Fixed : DController_Mem::Growth::Grows);
    if (!m_systemController || !m_localController || !m_memoryController)
        return DStatus::Failed;
    m_project = std::make_unique<DProject>(*m_platform);
    if (!m_project)
        return DStatus::Failed;
    m_project->setServices(this);
    // Their positions are the controller indexes of tag references.
    m_project->addController(*m_systemController);
    m_project->addController(*m_localController);
    m_project->addController(*m_memoryController);
    m_display = m_parts.createDisplay();
    if (!m_display)
        return DStatus::Failed;
    if (m_display->open(m_project.get(), width > 0 ? width : 640, height > 0 ? height : 480) != DStatus::Ok)
        return DStatus::Failed;
    m_platform->start(*this);
    return DStatus::Ok;
}

int32_t DApplication::currentPageIndex() const
{
    return m_project ? m_project->currentIndex() : -1;
}

uint32_t DApplication::clockSeconds() const
{
    return m_platform ? uint32_t(m_platform->wallClockSeconds()) : 0;
}

int DApplication::run()
{
    while (m_display->processMessages())
        tick();
    return 0;
}

void DApplication::tick()
{
    ++m_frames;
    runFrame(*m_project);
    if (m_reloadRequested) {
        m_reloadRequested = 0;
        m_project->unload();
        (void)m_project->attach(m_display->renderer(), m_display.get());
        const DString& path = m_platform->buildProjectPath(m_reloadArgument);
        m_platform->setProjectPath(DString(path));
        // A failed reload is not reported: the engine keeps running with what it has.
        (void)m_project->load(path);
    }
}
