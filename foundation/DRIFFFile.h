#pragma once
// Writer of nested RIFF chunks: identifier, size (total length minus 8), then a third
// word that is the CRC-32 of the chunk's data for nested chunks and the form type for
// the outermost one. Every write is padded with zero bytes to a multiple of 4.
// A chunk must be closed before its parent, whose CRC reads the child's patched header.
// A chunk may stay open while later chunks are written into its parent (the project
// header waits for the page table this way); its close covers only its own bytes.

#include <cstddef>
#include <cstdint>

#include "foundation/DSeekableStream.h"

class DRIFFFile {
public:
    // Uncounted writes leave the byte counts alone: they overwrite bytes already counted.
    enum class Counting { Counted, Uncounted };

    // The outermost chunk, written at the stream's current position.
    DRIFFFile(DSeekableStream& stream, uint32_t identifier, uint32_t formType);
    // A chunk inside parent, written at the stream's current position.
    DRIFFFile(DRIFFFile& parent, uint32_t identifier);
    virtual ~DRIFFFile() = default;

    DRIFFFile(const DRIFFFile&) = delete;
    DRIFFFile& operator=(const DRIFFFile&) = delete;

    void write(const void* data, std::size_t length, Counting counting = Counting::Counted);
    void writeInt(uint32_t value, Counting counting = Counting::Counted);
    // Takes a colour in the stored order with alpha on top (0xAABBGGRR) and writes the
    // ARGB word: red and blue change places.
    void writeColor(uint32_t color);
    // Overwrites the word at an absolute stream position and comes back.
    void patchValue(uint64_t position, uint32_t value);
    [[nodiscard]] uint64_t tell() const;

    // Patches the size and the third word; returns the chunk's first byte position.
    uint64_t close();

    // Bytes written into this chunk, its header included.
    [[nodiscard]] uint64_t count() const { return m_count; }
    // A stream operation of this chunk tree failed, or a chunk outgrew 32 bits.
    [[nodiscard]] bool failed() const { return m_root->m_failed; }

private:
    void writeHeader(uint32_t identifier);
    void rawWrite(const void* data, std::size_t length);

    DSeekableStream& m_stream;  // the outermost chunk's stream, shared by every level
    DRIFFFile* m_parent = nullptr;
    DRIFFFile* m_root = this;
    uint32_t m_formType = 0;
    uint64_t m_count = 0;
    uint64_t m_sizePosition = 0;
    uint64_t m_thirdPosition = 0;
    bool m_failed = false;
};
