#include "foundation/text/DTextRenderer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include FT_LCD_FILTER_H
#include FT_BITMAP_H

#include "foundation/text/DFontCatalogue.h"

namespace {

struct ModeFlags {
    int32_t mode;
    FT_Int32 flags;
};
constexpr ModeFlags kLoadFlags[] = {
    {DTextDescriptor::Monochrome, FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO},
    {DTextDescriptor::AntiAliased, FT_LOAD_RENDER},
    {DTextDescriptor::SubPixel, FT_LOAD_RENDER | FT_LOAD_TARGET_LCD},
};
static_assert(kLoadFlags[0].flags == 0x21004 && kLoadFlags[1].flags == 0x4 && kLoadFlags[2].flags == 0x30004);

FT_Int32 loadFlagsFor(int32_t mode)
{
    for (const ModeFlags& entry : kLoadFlags)
        if (entry.mode == mode)
            return entry.flags;
    return FT_LOAD_RENDER;
}

FTC_FaceID faceId(const DFontFileDescriptor* face)
{
    // FreeType's face ids are untyped; the requester only ever reads through them.
    return const_cast<DFontFileDescriptor*>(face);
}

int32_t wholePixels(FT_Pos value) { return int32_t((value + 32) >> 6); }

// The pixel height to size a bitmap-only face at: its strike nearest the request.
int32_t strikeHeight(FT_Face face, int32_t requested)
{
    int32_t best = 0;
    int64_t bestDistance = -1;
    for (FT_Int i = 0; i < face->num_fixed_sizes; ++i) {
        int32_t height = wholePixels(face->available_sizes[i].y_ppem);
        int64_t distance = std::llabs(int64_t(height) - requested);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = height;
        }
    }
    return best;
}

// Glyph bitmap to ARGB; false when its layout is not one we read.
bool convertBitmap(const FT_Bitmap& bitmap, uint32_t colour, uint32_t* pixels)
{
    const uint32_t width = bitmap.width;
    const uint32_t rows = bitmap.rows;
    if (bitmap.pitch < 0)
        return false;
    const std::size_t pitch = std::size_t(bitmap.pitch);
    const uint32_t alpha = colour >> 24;
    const uint32_t rgb = colour & 0xFFFFFF;
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
        if (pitch < (width + 7) / 8)
            return false;
        for (uint32_t y = 0; y < rows; ++y) {
            const unsigned char* row = bitmap.buffer + y * pitch;
            uint32_t* out = pixels + std::size_t(y) * width;
            for (uint32_t x = 0; x < width; ++x)
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? colour : 0;
        }
        return true;
    case FT_PIXEL_MODE_GRAY:
    case FT_PIXEL_MODE_LCD:
        if (pitch < width)
            return false;
        for (uint32_t y = 0; y < rows; ++y) {
            const unsigned char* row = bitmap.buffer + y * pitch;
            uint32_t* out = pixels + std::size_t(y) * width;
            if (alpha == 255) {
                for (uint32_t x = 0; x < width; ++x)
                    out[x] = row[x] ? (uint32_t(row[x]) << 24) | rgb : 0;
            } else {
                for (uint32_t x = 0; x < width; ++x)
                    out[x] = row[x] ? (((alpha * row[x]) >> 8) << 24) | rgb : 0;
            }
        }
        return true;
    default:
        return false;
    }
}

} // namespace

DTextRenderer::DTextRenderer() : DTextRenderer(std::make_unique<DFontCatalogue>()) {}

DTextRenderer::DTextRenderer(std::unique_ptr<DFontSource> source) : m_source(std::move(source))
{
    (void)init(); // without FreeType the renderer draws nothing; every call then fails
}

DTextRenderer::~DTextRenderer()
{
    (void)releaseFreeType();
}

int DTextRenderer::init()
{
    std::scoped_lock lock(m_lock);
    std::fputs("DTextRenderer::init\n", stdout);
    if (m_library)
        return 0;
    if (FT_Init_FreeType(&m_library)) {
        m_library = nullptr;
        return 1;
    }
    bool failed = FTC_Manager_New(m_library, 4, 8, 0x200000, &DTextRenderer::requestFace, this, &m_manager) ||
                  FTC_CMapCache_New(m_manager, &m_cmapCache) || FTC_ImageCache_New(m_manager, &m_imageCache);
    if (!failed) {
        // Built without the patented filter FreeType still renders LCD glyphs its own way.
        FT_Error error = FT_Library_SetLcdFilter(m_library, FT_LCD_FILTER_DEFAULT);
        failed = error && error != FT_Err_Unimplemented_Feature;
    }
    if (failed) {
        (void)releaseFreeType();
        return 1;
    }
    return 0;
}

int DTextRenderer::releaseFreeType()
{
    m_glyphs.clear();
    m_face = nullptr;
    m_scaler = FTC_ScalerRec{};
    if (m_manager)
        FTC_Manager_Done(m_manager); // the caches go with it
    m_manager = nullptr;
    m_cmapCache = nullptr;
    m_imageCache = nullptr;
    int result = 0;
    if (m_library && FT_Done_FreeType(m_library))
        result = 1;
    m_library = nullptr;
    return result;
}

int DTextRenderer::clear()
{
    std::scoped_lock lock(m_lock);
    std::fputs("DTextRenderer::clear\n", stdout);
    int result = releaseFreeType();
    if (m_source)
        m_source->saveFaces(m_faces);
    m_faces.clear();
    return result;
}

void DTextRenderer::enumFonts()
{
    std::scoped_lock lock(m_lock);
    if (!m_source)
        return;
    // Faces may be dropped: nothing cached may keep pointing at them.
    m_glyphs.clear();
    m_face = nullptr;
    if (m_manager)
        FTC_Manager_Reset(m_manager);
    m_source->enumFonts(m_library, m_faces);
}

const DFontFileDescriptor* DTextRenderer::findFace(const DTextDescriptor& request)
{
    std::scoped_lock lock(m_lock);
    return m_source ? m_source->findFace(request, m_faces) : nullptr;
}

int DTextRenderer::findFontByPath(std::u16string_view path) const
{
    std::scoped_lock lock(m_lock);
    return findFontByPath(m_faces, path);
}

int DTextRenderer::findFontByPath(const DFontFaceList& faces, std::u16string_view path)
{
    // Paths compare exactly: two files whose names differ in case are two fonts here.
    for (std::size_t i = 0; i < faces.size(); ++i)
        if (faces[i]->absPath.view() == path)
            return int(i);
    return -1;
}

void DTextRenderer::appendFace(std::unique_ptr<DFontFileDescriptor> face)
{
    std::scoped_lock lock(m_lock);
    if (face)
        m_faces.push_back(std::move(face));
}

bool DTextRenderer::knows(const DFontFileDescriptor* face) const
{
    return std::any_of(m_faces.begin(), m_faces.end(), [face](const auto& known) { return known.get() == face; });
}

FT_Error DTextRenderer::requestFace(FTC_FaceID id, FT_Library library, FT_Pointer, FT_Face* face)
{
    FT_Error error = static_cast<const DFontFileDescriptor*>(id)->openFace(library, face);
    // The Unicode map, whatever the file lists first; a symbol font keeps its own.
    if (!error)
        (void)FT_Select_Charmap(*face, FT_ENCODING_UNICODE);
    return error;
}

int DTextRenderer::setupScaler(const DTextDescriptor& request)
{
    std::scoped_lock lock(m_lock);
    if (!request.face || !m_manager || !knows(request.face))
        return 1;
    m_loadFlags = loadFlagsFor(request.mode);
    m_mode = request.mode;
    m_colour = request.colour;
    m_face = nullptr;

    FT_Face face = nullptr;
    if (FTC_Manager_LookupFace(m_manager, faceId(request.face), &face))
        return 1;
    int32_t height = request.size;
    if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes > 0 && face->available_sizes)
        height = strikeHeight(face, request.size);
    if (height <= 0 || height > kMaxPixelSize)
        return 1;

    m_scaler = FTC_ScalerRec{};
    m_scaler.face_id = faceId(request.face);
    m_scaler.width = 0;
    m_scaler.height = FT_UInt(height);
    m_scaler.pixel = 1;
    FT_Size size = nullptr;
    if (FTC_Manager_LookupSize(m_manager, &m_scaler, &size))
        return 1;
    m_lineHeight = wholePixels(size->metrics.height);
    m_ascender = wholePixels(size->metrics.ascender);
    m_face = request.face;
    return 0;
}

int DTextRenderer::getGlyphTexture(uint32_t code, DTextTexture& texture)
{
    std::scoped_lock lock(m_lock);
    if (!m_face || !m_imageCache)
        return 1;
    DTextTextureDescriptor key(m_face, code, m_colour, 0, m_scaler.height, m_mode);
    if (auto found = m_glyphs.find(key); found != m_glyphs.end()) {
        texture = found->second;
        return 0;
    }

    FTC_FaceID id = faceId(m_face);
    FT_UInt index = FTC_CMapCache_Lookup(m_cmapCache, id, -1, code);
    if (!index) {
        FT_Face face = nullptr;
        if (!FTC_Manager_LookupFace(m_manager, id, &face))
            index = FT_Get_Char_Index(face, code);
    }
    if (!index)
        return 1;
    FT_Glyph glyph = nullptr;
    if (FTC_ImageCache_LookupScaler(m_imageCache, &m_scaler, FT_ULong(m_loadFlags), index, &glyph, nullptr) ||
        !glyph || glyph->format != FT_GLYPH_FORMAT_BITMAP)
        return 1;
    const auto* bitmapGlyph = reinterpret_cast<const FT_BitmapGlyphRec*>(glyph);
    const FT_Bitmap& bitmap = bitmapGlyph->bitmap;

    DTextTexture made;
    made.width = int32_t(bitmap.width);
    made.rows = int32_t(bitmap.rows);
    if (made.width > 0 && made.rows > 0) {
        std::shared_ptr<uint32_t[]> pixels;
        try {
            pixels = std::make_shared<uint32_t[]>(std::size_t(bitmap.width) * bitmap.rows);
        } catch (const std::bad_alloc&) {
            return 1;
        }
        if (!convertBitmap(bitmap, m_colour, pixels.get()))
            return 1;
        made.pixels = std::move(pixels);
    } else {
        made.width = 0;
        made.rows = 0;
    }
    made.left = bitmapGlyph->left;
    made.top = bitmapGlyph->top;
    made.advanceX = int32_t(glyph->advance.x >> 16);
    made.advanceY = int32_t(glyph->advance.y >> 16);
    texture = m_glyphs.emplace(key, std::move(made)).first->second;
    return 0;
}

std::size_t DTextRenderer::glyphCount() const
{
    std::scoped_lock lock(m_lock);
    return m_glyphs.size();
}
