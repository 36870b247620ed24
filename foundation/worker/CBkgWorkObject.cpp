#include "foundation/worker/CBkgWorkObject.h"

CBkgWorkObject::~CBkgWorkObject()
{
    m_section.lock();
    m_section.unlock();
}

void CBkgWorkObject::Lock()
{
    m_section.lock();
}

void CBkgWorkObject::Unlock()
{
    m_section.unlock();
}

bool CBkgWorkObject::TryLock()
{
    return m_section.try_lock();
}
