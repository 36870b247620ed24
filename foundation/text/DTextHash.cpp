#include "foundation/text/DTextHash.h"

#include "foundation/DCRC32.h"

namespace DTextHash {

uint32_t crcWords(std::span<const uint32_t> words)
{
    DCRC32 crc;
    for (const uint32_t word : words)
        crc.crcUpdateWord(word);
    return crc.value();
}

} // namespace DTextHash
