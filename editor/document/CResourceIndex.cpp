#include "editor/document/CResourceIndex.h"

#include <algorithm>
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
    return AppendContent(kind, crc, {}, writeChunk);
}

uint32_t CResourceIndex::AppendContent(Content kind, uint32_t crc, std::span<const uint8_t> content,
                                       const std::function<uint64_t()>& writeChunk)
{
    std::vector<Written>& sameCrc = m_written[std::make_pair(kind, crc)];
    for (const Written& written : sameCrc) {
        if (std::equal(written.content.begin(), written.content.end(), content.begin(), content.end())) {
            Append(written.offset);
            return written.offset;
        }
    }
    const uint64_t offset64 = writeChunk();
    const uint32_t offset =
        offset64 > std::numeric_limits<uint32_t>::max() ? target::kNoResource : uint32_t(offset64);
    if (offset != target::kNoResource)
        sameCrc.push_back({offset, std::vector<uint8_t>(content.begin(), content.end())});
    Append(offset);
    return offset;
}

uint32_t CResourceIndex::TakeNext()
{
    if (m_cursor >= m_entries.size())
        return target::kNoResource;
    return m_entries[m_cursor++];
}

std::size_t CResourceIndex::WrittenCount() const
{
    std::size_t count = 0;
    for (const auto& [key, written] : m_written)
        count += written.size();
    return count;
}
