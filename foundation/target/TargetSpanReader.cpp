#include "foundation/target/TargetSpanReader.h"

#include <cstring>

namespace target {

int TargetSpanReader::read(void* buffer, uint32_t count)
{
    const uint64_t end = m_position + count;
    if (end > currentLimit())
        return kBeyondLimit;
    if (end > m_bytes.size())
        return kFailed;
    if (count != 0)
        std::memcpy(buffer, m_bytes.data() + m_position, count);
    // As the engine's file: an odd count skips on to the next multiple of 4 from the start.
    const uint64_t padded = m_position + ((uint64_t(count) + 3) & ~uint64_t(3));
    m_position = padded < m_bytes.size() ? padded : m_bytes.size();
    return kOk;
}

int TargetSpanReader::seek(uint64_t position)
{
    if (position > m_bytes.size())
        return kFailed;
    m_position = position;
    return kOk;
}

void TargetSpanReader::pushLimit(uint64_t end)
{
    const uint64_t below = currentLimit();
    m_limits.push_back(end < below ? end : below);
}

void TargetSpanReader::popLimit()
{
    if (!m_limits.empty())
        m_limits.pop_back();
}

uint64_t TargetSpanReader::currentLimit() const
{
    return m_limits.empty() ? UINT64_MAX : m_limits.back();
}

} // namespace target
