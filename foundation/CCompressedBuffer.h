#pragma once
// One block of pixel data compressed with LZO1X-1 for the target file. The LZO work
// memory and the scratch output buffer are shared by every buffer of the process and
// guarded by one lock; FreeShared gives them back at exit.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CCompressedBuffer {
public:
    CCompressedBuffer() = default;
    virtual ~CCompressedBuffer() = default;

    // Replaces the content with data compressed; false for no data, missing memory or an
    // LZO error, and then the buffer is empty.
    [[nodiscard]] bool Compress(const void* data, std::size_t length);

    [[nodiscard]] std::span<const uint8_t> compressed() const { return m_compressed; }
    [[nodiscard]] std::size_t compressedSize() const { return m_compressed.size(); }
    [[nodiscard]] std::size_t uncompressedSize() const { return m_uncompressedSize; }

    // LZO1X-1's worst case for length input bytes: length + length / 16 + 67; 0 when
    // that does not fit in a size.
    [[nodiscard]] static std::size_t WorstCaseSize(std::size_t length);
    // Capacity of the shared scratch buffer (0 after FreeShared).
    [[nodiscard]] static std::size_t ScratchSize();
    static void FreeShared();

private:
    std::vector<uint8_t> m_compressed;
    std::size_t m_uncompressedSize = 0;
};
