#pragma once
// The text renderer over FreeType's cache subsystem: the list of known faces, the
// choice of a face for a request, and glyphs rendered into 32-bit ARGB textures that
// are cached until clear.
//
// Used from the user-interface thread and the background worker. Every operation takes
// the render lock; a caller that sets the scaler and then fetches glyphs (a layout or a
// render) holds renderLock() around the whole of it, so the other thread cannot change
// the scaler in between.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include "foundation/text/DFontFileDescriptor.h"
#include "foundation/text/DFontSource.h"
#include "foundation/text/DTextDescriptor.h"
#include "foundation/text/DTextTexture.h"
#include "foundation/text/DTextTextureDescriptor.h"

class DTextRenderer {
public:
    // Largest pixel height a scaler is set to; a larger request fails like a missing face.
    static constexpr int32_t kMaxPixelSize = 2048;

    DTextRenderer(); // the editor's catalogue of installed fonts
    explicit DTextRenderer(std::unique_ptr<DFontSource> source);
    virtual ~DTextRenderer();
    DTextRenderer(const DTextRenderer&) = delete;
    DTextRenderer& operator=(const DTextRenderer&) = delete;

    // Prints "DTextRenderer::init"; sets up FreeType, its cache manager (4 faces, 8 sizes,
    // 2 MiB), the character-map and image caches and the LCD filter. 0, or 1 at the
    // first step that fails. The constructor calls it.
    [[nodiscard]] int init();

    // Prints "DTextRenderer::clear"; frees the glyphs and FreeType, lets the source save
    // the face list (the editor's registry cache) and frees it. 1 when ending FreeType
    // reported an error, else 0.
    int clear();

    // Builds the face list from the source (the editor: installed fonts and their cache).
    void enumFonts();
    // The face for a request by the source's rule, or null.
    const DFontFileDescriptor* findFace(const DTextDescriptor& request);
    // Index of the first face whose path is path, -1 when none.
    int findFontByPath(std::u16string_view path) const;
    static int findFontByPath(const DFontFaceList& faces, std::u16string_view path);

    // Takes a face the source found elsewhere (the engine's faces from the target file).
    void appendFace(std::unique_ptr<DFontFileDescriptor> face);
    // The list; read it under renderLock().
    const DFontFaceList& faces() const { return m_faces; }
    FT_Library library() const { return m_library; }

    // Sets load flags, colour and scaler from the request; 1 when it has no face known
    // to this renderer or FreeType cannot size it. A bitmap-only face is set to its
    // strike nearest the requested size.
    [[nodiscard]] int setupScaler(const DTextDescriptor& request);
    // The glyph of code in the current scaler; 1 when the face has none or FreeType
    // fails (the cache is then unchanged).
    [[nodiscard]] int getGlyphTexture(uint32_t code, DTextTexture& texture);
    // Of the current scaler, in whole pixels (26.6 values rounded).
    int32_t lineHeight() const { return m_lineHeight; }
    int32_t ascender() const { return m_ascender; }
    int32_t pixelHeight() const { return int32_t(m_scaler.height); }

    std::size_t glyphCount() const;
    std::recursive_mutex& renderLock() const { return m_lock; }

private:
    static FT_Error requestFace(FTC_FaceID id, FT_Library library, FT_Pointer data, FT_Face* face);
    [[nodiscard]] int releaseFreeType();
    bool knows(const DFontFileDescriptor* face) const;

    mutable std::recursive_mutex m_lock;
    std::unique_ptr<DFontSource> m_source;
    FT_Library m_library = nullptr;
    FTC_Manager m_manager = nullptr;
    FTC_CMapCache m_cmapCache = nullptr;
    FTC_ImageCache m_imageCache = nullptr;
    std::unordered_map<DTextTextureDescriptor, DTextTexture, DTextTextureDescriptor::Hasher> m_glyphs;
    DFontFaceList m_faces;

    const DFontFileDescriptor* m_face = nullptr; // of the current scaler
    FTC_ScalerRec m_scaler{};
    FT_Int32 m_loadFlags = FT_LOAD_RENDER;
    int32_t m_mode = DTextDescriptor::AntiAliased;
    uint32_t m_colour = 0;
    int32_t m_lineHeight = 0;
    int32_t m_ascender = 0;
};
