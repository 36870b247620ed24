#include "engine/core/DFile.h"

#include "engine/core/DStatus.h"

int DFile::read(void* buffer, uint32_t count)
{
    if (!isOpen())
        return DStatus::Failed;
    const uint64_t start = position();
    if (start + count > currentLimit())
        return DStatus::BeyondLimit;
    if (readRaw(buffer, count) != DStatus::Ok)
        return DStatus::Failed;
    if (const uint32_t rest = count % 4; rest != 0)
        if (seek(int64_t(start + count + (4 - rest)), FromStart) != DStatus::Ok)
            return DStatus::Failed;
    return DStatus::Ok;
}

bool DFile::pushLimit(uint64_t end)
{
    if (m_top + 1 >= kMaxLimits)
        return false;
    const uint64_t below = currentLimit();
    m_limits[++m_top] = end < below ? end : below;
    return true;
}

void DFile::popLimit()
{
    if (m_top >= 0)
        --m_top;
}

uint64_t DFile::currentLimit() const
{
    return m_top >= 0 ? m_limits[m_top] : UINT64_MAX;
}

int readWord(DFile& file, uint32_t& word)
{
    unsigned char bytes[4];
    const int status = file.read(bytes, 4);
    if (status != DStatus::Ok)
        return status;
    word = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    return DStatus::Ok;
}
