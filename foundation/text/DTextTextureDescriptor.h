#pragma once
// The key of one rendered glyph. Its hash is the system's CRC-32 over the words; the
// key itself compares in full (the whole face pointer and the render mode included),
// so two glyphs whose hashes collide never share an entry.

#include <cstddef>
#include <cstdint>

class DFontFileDescriptor;

class DTextTextureDescriptor {
public:
    DTextTextureDescriptor() = default;
    DTextTextureDescriptor(const DFontFileDescriptor* face, uint32_t code, uint32_t colour, uint32_t width,
                           uint32_t height, int32_t mode)
        : face(face), code(code), colour(colour), width(width), height(height), mode(mode)
    {
    }
    DTextTextureDescriptor(const DTextTextureDescriptor&) = default;
    DTextTextureDescriptor& operator=(const DTextTextureDescriptor&) = default;
    virtual ~DTextTextureDescriptor();

    // CRC-32 of face (low word, then high word), code, colour, width, height and mode.
    uint32_t hash() const;
    bool operator==(const DTextTextureDescriptor& other) const
    {
        return face == other.face && code == other.code && colour == other.colour && width == other.width &&
               height == other.height && mode == other.mode;
    }

    struct Hasher {
        std::size_t operator()(const DTextTextureDescriptor& key) const { return key.hash(); }
    };

    const DFontFileDescriptor* face = nullptr;
    uint32_t code = 0;
    uint32_t colour = 0;
    uint32_t width = 0; // the scaler's width, always 0
    uint32_t height = 0;
    int32_t mode = 0;
};
