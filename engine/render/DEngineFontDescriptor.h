#pragma once
// A face carried in a "font" chunk of the target file. FreeType reads it through a
// stream over the open target file: every read seeks to the face's bytes and puts the
// file back where it was, so the stream has its own position and never disturbs the
// reader that is walking the file.

#include <cstdint>

#include "engine/core/DObject.h"
#include "foundation/text/DFontFileDescriptor.h"

class DFile;

class DEngineFontDescriptor : public DFontFileDescriptor {
public:
    DECLARE_ENGINE_ALLOCATION()

    // The face bytes begin at chunkPosition + 12; streamSize bytes of them are read.
    DEngineFontDescriptor(DFile* file, uint32_t chunkPosition, uint32_t streamSize);
    DEngineFontDescriptor(const DEngineFontDescriptor&) = delete;
    DEngineFontDescriptor& operator=(const DEngineFontDescriptor&) = delete;
    ~DEngineFontDescriptor() override;

    FT_Error openFace(FT_Library library, FT_Face* face) const override;
    // Opens face index of the chunk through this descriptor's stream; -1 only counts the
    // faces. One face at a time may be open through one descriptor.
    [[nodiscard]] FT_Error openFaceAt(FT_Library library, FT_Long index, FT_Face* face) const;

    // Name, style flags, strike and pitch from an open face; index is its number in the chunk.
    void describeEngineFace(FT_Face face, int32_t index);

    // Stream read: seek to the face's first byte plus offset, read count bytes; a count of
    // 0 is a seek (0 when it lies inside the face). Returns the bytes read, 0 on failure.
    unsigned long readAt(unsigned long offset, unsigned char* buffer, unsigned long count) const;

    DFile* sourceFile() const { return m_file; }
    uint32_t chunkPosition() const { return m_chunkPosition; }
    uint32_t streamSize() const { return m_streamSize; }

    int32_t singleFixedSize = 0; // bitmap strikes, exactly one of them
    int32_t fixedHeight = 0;     // that strike's pixel height, else 0

private:
    DFile* m_file;
    uint32_t m_chunkPosition;
    uint32_t m_streamSize;
    mutable FT_StreamRec m_stream{};
};
