#include "foundation/DMemoryStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

bool DMemoryStream::write(const void* data, std::size_t length)
{
    if (length == 0)
        return true;
    const std::size_t end = m_position + length;
    if (end < m_position)
        return false;
    if (end > m_bytes.size()) {
        if (end > m_bytes.capacity()) {
            const std::size_t steps = (end + kGrowthStep - 1) / kGrowthStep;
            m_bytes.reserve(std::max(steps * kGrowthStep, m_bytes.capacity() * 2));
        }
        m_bytes.resize(end);
    }
    std::memcpy(m_bytes.data() + m_position, data, length);
    m_position = end;
    return true;
}

std::size_t DMemoryStream::read(void* data, std::size_t length)
{
    const std::size_t count = std::min(length, m_bytes.size() - m_position);
    if (count != 0)
        std::memcpy(data, m_bytes.data() + m_position, count);
    m_position += count;
    return count;
}

bool DMemoryStream::seek(uint64_t position)
{
    if (position > m_bytes.size())
        return false;
    m_position = std::size_t(position);
    return true;
}

std::vector<uint8_t> DMemoryStream::take()
{
    m_position = 0;
    return std::exchange(m_bytes, {});
}
