#pragma once
// What one compile knows about the pictures and fonts it has written: the resource
// index list (one chunk offset, or 0, per collected image or font, in collection order)
// with the cursor through which objects take the entries back while they are compiled,
// and which content is in the file already, so that equal content is written once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include "foundation/target/TargetFormat.h"

class CResourceIndex {
public:
    // Images and fonts are kept apart, so a font can never be answered by a picture
    // whose CRC happens to be equal.
    enum class Content { Image, Font };

    // Empties the list, its cursor and the content map, and sets the colour depth and
    // target flags every picture of this compile is converted and stored with (equal
    // CRCs only mean equal pictures under one conversion).
    void Begin(int colorDepth, uint32_t targetFlags);

    int ColorDepth() const { return m_colorDepth; }
    uint32_t TargetFlags() const { return m_targetFlags; }

    // An entry of its own: 0 for a picture or font that does not exist.
    void Append(uint32_t offset);
    // Appends the offset of the chunk already holding content with this CRC; otherwise
    // calls writeChunk, which writes it and gives its absolute offset, remembers and
    // appends that. An offset beyond 32 bits cannot be referred to and appends 0.
    uint32_t AppendContent(Content kind, uint32_t crc, const std::function<uint64_t()>& writeChunk);
    // The same, where a chunk counts as equal only when the bytes its CRC covered, content,
    // are equal in length and in every byte: two pictures may share a CRC.
    uint32_t AppendContent(Content kind, uint32_t crc, std::span<const uint8_t> content,
                           const std::function<uint64_t()>& writeChunk);

    // The next entry in collection order; 0 once every entry has been taken, so a
    // compile that takes more than it collected refers to nothing instead of reading on.
    uint32_t TakeNext();

    std::span<const uint32_t> Entries() const { return m_entries; }
    std::size_t Cursor() const { return m_cursor; }
    // Chunks written through AppendContent since Begin.
    std::size_t WrittenCount() const;

private:
    std::vector<uint32_t> m_entries;
    std::size_t m_cursor = 0;
    struct Written {
        uint32_t offset;
        std::vector<uint8_t> content;   // empty where only the CRC was compared
    };
    std::map<std::pair<Content, uint32_t>, std::vector<Written>> m_written;
    int m_colorDepth = 32;
    uint32_t m_targetFlags = target::kTargetFlagsDefault;
};
