#include "engine/DApplication.h"

#include "engine/DStatus.h"

DApplication::DApplication(DEngineParts& parts, DEngineOptions options)
    : m_parts(parts), m_options(std::move(options))
{
    s_instance = this;
}

DApplication::~DApplication()
{
    if (m_display)
        m_display->close();
    m_display.reset();
    m_project.reset();
    m_platform.reset();
    if (s_instance == this)
        s_instance = nullptr;
}

int DApplication::init(int width, int height)
{
    // The project reads through the platform's files, so the platform comes first.
    m_platform.reset(m_parts.createPlatform());
    if (!m_platform)
        return DStatus::Failed;
    m_project.reset(new DProject(*m_platform));
    if (!m_project)
        return DStatus::Failed;
    m_display.reset(m_parts.createDisplay());
    if (!m_display)
        return DStatus::Failed;
    if (m_display->open(m_project.get(), width > 0 ? width : 640, height > 0 ? height : 480) != DStatus::Ok)
        return DStatus::Failed;
    m_platform->start();
    return DStatus::Ok;
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
    m_project->render();
    m_project->runDeferred();
    m_platform->tick();
    m_project->tickTime(m_platform->ticks());
    if (m_reloadRequested) {
        m_reloadRequested = 0;
        m_project->unload();
        const DString& path = m_platform->buildProjectPath(m_reloadArgument);
        m_platform->setProjectPath(DString(path));
        // A failed reload is not reported: the engine keeps running with what it has.
        (void)m_project->load(path);
    }
}
