#include "engine/core/DApplication.h"

#include <ctime>

#include "engine/tags/DCharsetTable.h"
#include "engine/core/DFrame.h"
#include "engine/core/DStatus.h"

DApplication::DApplication(DEngineParts& parts, DEngineOptions options)
    : m_parts(parts), m_options(std::move(options)), m_previousNarrowConversion(DString::narrowConversion())
{
    s_instance = this;
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
    if (s_instance == this)
        s_instance = nullptr;
}

int DApplication::init(int width, int height)
{
    // The project reads through the platform's files, so the platform comes first.
    m_platform.reset(m_parts.createPlatform());
    if (!m_platform)
        return DStatus::Failed;
    m_systemController.reset(new DController_System(*this));
    m_localController.reset(new DController_Local());
    m_memoryController.reset(new DController_Mem(m_options.memoryImageSize, m_options.memoryImageSizeFixed
                                                                                ? DController_Mem::Growth::Fixed
                                                                                : DController_Mem::Growth::Grows));
    if (!m_systemController || !m_localController || !m_memoryController)
        return DStatus::Failed;
    m_project.reset(new DProject(*m_platform));
    if (!m_project)
        return DStatus::Failed;
    // Their positions are the controller indexes of tag references.
    m_project->addController(*m_systemController);
    m_project->addController(*m_localController);
    m_project->addController(*m_memoryController);
    m_display.reset(m_parts.createDisplay());
    if (!m_display)
        return DStatus::Failed;
    if (m_display->open(m_project.get(), width > 0 ? width : 640, height > 0 ? height : 480) != DStatus::Ok)
        return DStatus::Failed;
    m_platform->start();
    return DStatus::Ok;
}

int32_t DApplication::currentPageIndex() const
{
    return m_project ? m_project->currentIndex() : -1;
}

uint32_t DApplication::clockSeconds() const
{
    return uint32_t(std::time(nullptr));
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
