// The tags dialog's reader of "dtags" files over outside bytes, then every listed tag
// read and written through the checked tag memory.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/tagmonitor/CTagValue.h"
#include "engine/tagmonitor/CTagsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::array<uint8_t, 512> memory{};
    const CTagMemory image{memory.data(), uint32_t(memory.size())};
    CTagValue values;
    std::u16string text;
    for (const CTagRow& row : CTagsFile::read(std::span<const uint8_t>(data, size), image.size)) {
        const CTagPlace place{row.typeIndex, row.address, row.size};
        (void)values.format(image, place, text);
        (void)values.write(image, place, row.name);
        (void)values.format(image, place, text);
    }
    return 0;
}
