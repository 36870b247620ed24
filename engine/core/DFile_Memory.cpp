#include "engine/core/DFile_Memory.h"

#include <cstring>

#include "engine/core/DStatus.h"

int DFile_Memory::open(const DString&)
{
    m_open = true;
    m_position = 0;
    clearLimits();
    return DStatus::Ok;
}

void DFile_Memory::close()
{
    m_open = false;
}

int DFile_Memory::seek(int64_t offset, int origin)
{
    if (!m_open)
        return DStatus::Failed;
    const int64_t base = origin == FromCurrent ? int64_t(m_position) : 0;
    if (origin != FromStart && origin != FromCurrent)
        return DStatus::Failed;
    const int64_t target = base + offset;
    if (target < 0)
        return DStatus::Failed;
    m_position = uint64_t(target);
    return DStatus::Ok;
}

int DFile_Memory::readRaw(void* buffer, uint32_t count)
{
    if (m_position > m_view.size() || m_view.size() - m_position < count)
        return DStatus::Failed;
    if (count)
        std::memcpy(buffer, m_view.data() + m_position, count);
    m_position += count;
    return DStatus::Ok;
}
