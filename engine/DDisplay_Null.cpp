#include "engine/DDisplay_Null.h"

#include "engine/DProject.h"
#include "engine/DStatus.h"

int DDisplay_Null::open(DProject* project, int width, int height)
{
    m_project = project;
    m_width = width;
    m_height = height;
    m_size = {width, height};
    m_open = true;
    return m_project ? m_project->attach(nullptr, this) : DStatus::Ok;
}

int DDisplay_Null::processMessages()
{
    ++m_passes;
    if (!m_open || m_framesLeft <= 0)
        return 0;
    --m_framesLeft;
    return 1;
}
