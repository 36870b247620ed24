#include "editor/document/CResourceIndex.h"

#include <limits>

void CResourceIndex::Begin(int colorDepth, uint32_t targetFlags)
{
    m_entries.clear();
    m_cursor = 0;
    m_written.clear();
    m_colorDepth = colorDepth;
    m_targetFlags = targetFlags;
}

void CResourceIndex::Append(uint32_t offset)
{
    m_entries.push_back(offset);
}

uint32_t CResourceIndex::AppendContent(Content kind, uint32_t crc, const std::function<uint64_t()>& writeChunk)
{
    const auto key = std::make_pair(kind, crc);
    if (const auto found = m_written.find(key); found != m_written.end()) {
        Append(found->second);
        return found->second;
    }
    const uint64_t written = writeChunk();
    const uint32_t offset =
        written > std::numeric_limits<uint32_t>::max() ? target::kNoResource : uint32_t(written);
    if (offset != target::kNoResource)
        m_written.emplace(key, offset);
    Append(offset);
    return offset;
}

uint32_t CResourceIndex::TakeNext()
{
    if (m_cursor >= m_entries.size())
        return target::kNoResource;
    return m_entries[m_cursor++];
}
