#include "engine/posix/DMemory_CRT.h"

#include <cstdlib>
#include <cstring>

namespace {

// The header keeps the requested size and the block's alignment for any type.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* userBlock(void* raw) { return static_cast<char*>(raw) + kHeader; }
void* rawBlock(const void* block) { return const_cast<char*>(static_cast<const char*>(block)) - kHeader; }
std::size_t storedSize(const void* block) { return *static_cast<const std::size_t*>(rawBlock(block)); }

void* stamp(void* raw, std::size_t size)
{
    *static_cast<std::size_t*>(raw) = size;
    return userBlock(raw);
}

} // namespace

void DMemory_CRT::counted(std::size_t size)
{
    ++m_allocations;
    ++m_liveBlocks;
    m_liveBytes += uint32_t(size);
    if (m_liveBytes > m_peakBytes)
        m_peakBytes = m_liveBytes;
}

void* DMemory_CRT::alloc(std::size_t size)
{
    if (size > SIZE_MAX - kHeader)
        return nullptr;
    void* raw = std::malloc(size + kHeader);
    if (!raw)
        return nullptr;
    counted(size);
    return stamp(raw, size);
}

void* DMemory_CRT::allocZeroed(std::size_t count, std::size_t size)
{
    if (size && count > (SIZE_MAX - kHeader) / size)
        return nullptr;
    const std::size_t total = count * size;
    void* raw = std::calloc(1, total + kHeader);
    if (!raw)
        return nullptr;
    counted(total);
    return stamp(raw, total);
}

void DMemory_CRT::free(void* block)
{
    if (!block)
        return;
    ++m_releases;
    --m_liveBlocks;
    m_liveBytes -= uint32_t(storedSize(block));
    std::free(rawBlock(block));
}

void* DMemory_CRT::realloc(void* block, std::size_t size)
{
    if (!block)
        return alloc(size);
    if (size > SIZE_MAX - kHeader)
        return nullptr;
    const std::size_t oldSize = storedSize(block);
    void* raw = std::realloc(rawBlock(block), size + kHeader);
    if (!raw)
        return nullptr; // the old block and the counters stay as they were
    ++m_allocations;
    ++m_releases;
    m_liveBytes = m_liveBytes - uint32_t(oldSize) + uint32_t(size);
    if (m_liveBytes > m_peakBytes)
        m_peakBytes = m_liveBytes;
    return stamp(raw, size);
}

void DMemory_CRT::zero(void* block, std::size_t size)
{
    if (block && size)
        std::memset(block, 0, size);
}

void DMemory_CRT::copy(void* destination, const void* source, std::size_t size)
{
    if (size)
        std::memmove(destination, source, size);
}

int DMemory_CRT::compare(const void* a, const void* b, std::size_t size)
{
    const auto* left = static_cast<const unsigned char*>(a);
    const auto* right = static_cast<const unsigned char*>(b);
    std::size_t i = 0;
    while (size - i >= 4 && std::memcmp(left + i, right + i, 4) == 0)
        i += 4;
    for (; i < size; ++i)
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    return 0;
}

std::size_t DMemory_CRT::blockSize(const void* block) const
{
    return block ? storedSize(block) : 0;
}
