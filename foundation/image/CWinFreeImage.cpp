#include "foundation/image/CWinFreeImage.h"

#include <FreeImage.h>
#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/target/TargetImage.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

// 32-bit FreeImage pixels are B, G, R, A bytes: read as a native word that is the
// surface's ARGB32.
static_assert(FREEIMAGE_COLORORDER == FREEIMAGE_COLORORDER_BGR && std::endian::native == std::endian::little);

namespace {

// The formats pictures come in. FreeImage reads many more, but several of its rarer
// readers overrun their buffers on malformed files, so those are not offered outside data.
constexpr std::array kReadableFormats{FIF_BMP, FIF_PNG, FIF_JPEG, FIF_GIF, FIF_TIFF};

// FreeImage's own lookup by file name splits its extension lists with strtok, which another
// thread's lookup (a theme drawing on the worker) can overwrite; the lists are split here.
FREE_IMAGE_FORMAT formatFromFileName(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    if (extension.size() < 2)
        return FIF_UNKNOWN;
    extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const FREE_IMAGE_FORMAT format : kReadableFormats) {
        const char* list = FreeImage_GetFIFExtensionList(format);
        std::string_view rest = list ? list : "";
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            if (rest.substr(0, comma) == extension)
                return format;
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
    }
    return FIF_UNKNOWN;
}

bool sizeAllowed(int64_t width, int64_t height)
{
    return target::ImageChunkHeader::Fits(width, height);
}

uint32_t littleWord(std::span<const uint8_t> bytes, std::size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8;
}

// FreeImage has no header-only load for GIF, and allocates a frame (or the logical
// screen) before it reads a pixel: the sizes are read from the GIF's own blocks. False
// when the screen or a frame is too large, or the data is too short for a screen.
bool gifSizesAllowed(std::span<const uint8_t> bytes)
{
    constexpr std::size_t kScreenEnd = 13, kDescriptorSize = 10;
    constexpr uint8_t kExtension = 0x21, kImage = 0x2C, kColourTable = 0x80, kTableSizeBits = 0x07;
    const auto allowed = [&](std::size_t at) {
        return sizeAllowed(std::max<uint32_t>(littleWord(bytes, at), 1), std::max<uint32_t>(littleWord(bytes, at + 2), 1));
    };
    if (bytes.size() < kScreenEnd || !allowed(6))
        return false;
    std::size_t at = kScreenEnd;
    const auto skipColourTable = [&](uint8_t packed) {
        if (packed & kColourTable)
            at += 3 * (std::size_t(2) << (packed & kTableSizeBits));
    };
    const auto skipSubBlocks = [&] {
        while (at < bytes.size()) {
            const uint8_t length = bytes[at];
            at += 1 + std::size_t(length);
            if (length == 0)
                return;
        }
    };
    skipColourTable(bytes[10]);
    while (at < bytes.size()) {
        if (bytes[at] == kExtension) {
            at += 2;
            skipSubBlocks();
        } else if (bytes[at] == kImage && at + kDescriptorSize <= bytes.size()) {
            if (!allowed(at + 5))
                return false;
            const uint8_t packed = bytes[at + 9];
            at += kDescriptorSize;
            skipColourTable(packed);
            ++at; // the LZW code size
            skipSubBlocks();
        } else {
            break; // the trailer, or data no frame follows
        }
    }
    return true;
}

std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads the header first, so that an image too large to hold is refused before its
// pixels are decoded; a GIF's sizes come from its bytes, read by bytes() when needed.
template <typename Loader, typename Bytes>
FreeImageBitmap decode(FREE_IMAGE_FORMAT format, const Loader& load, const Bytes& bytes)
{
    if (std::find(kReadableFormats.begin(), kReadableFormats.end(), format) == kReadableFormats.end() ||
        !FreeImage_FIFSupportsReading(format))
        return FreeImageBitmap();
    if (format == FIF_GIF) {
        if (!gifSizesAllowed(bytes()))
            return FreeImageBitmap();
    } else {
        // Every other format offered reads its header alone.
        FreeImageBitmap header = FreeImageBitmap(load(format, FIF_LOAD_NOPIXELS));
        if (!header || !sizeAllowed(FreeImage_GetWidth(header.get()), FreeImage_GetHeight(header.get())))
            return FreeImageBitmap();
    }
    FreeImageBitmap image = FreeImageBitmap(load(format, 0));
    if (!image || !FreeImage_HasPixels(image.get()) ||
        !sizeAllowed(FreeImage_GetWidth(image.get()), FreeImage_GetHeight(image.get())))
        return FreeImageBitmap();
    return image;
}

// Bilinear rescale that keeps the bit depth (FreeImage widens palette images).
FreeImageBitmap rescaled(FIBITMAP* source, int width, int height)
{
    FreeImageBitmap result = FreeImageBitmap(FreeImage_Rescale(source, width, height, FILTER_BILINEAR));
    const unsigned depth = FreeImage_GetBPP(source);
    if (result && FreeImage_GetBPP(result.get()) != depth) {
        if (depth == 8)
            result = FreeImageBitmap(FreeImage_ConvertTo8Bits(result.get()));
        else if (depth == 32)
            result = FreeImageBitmap(FreeImage_ConvertTo32Bits(result.get()));
        else
            result = FreeImageBitmap();
    }
    return result;
}

int clampTransparency(int transparency)
{
    return std::clamp(transparency, 0, 255);
}

} // namespace

void FreeImageBitmapDeleter::operator()(FIBITMAP* bitmap) const
{
    FreeImage_Unload(bitmap);
}

CWinFreeImage::CWinFreeImage() = default;

CWinFreeImage::~CWinFreeImage() = default;

void CWinFreeImage::Unload()
{
    m_bitmap.reset();
    m_second.reset();
}

int CWinFreeImage::width() const
{
    return m_bitmap ? int(FreeImage_GetWidth(m_bitmap.get())) : 0;
}

int CWinFreeImage::height() const
{
    return m_bitmap ? int(FreeImage_GetHeight(m_bitmap.get())) : 0;
}

int CWinFreeImage::bitsPerPixel() const
{
    return m_bitmap ? int(FreeImage_GetBPP(m_bitmap.get())) : 0;
}

std::span<const uint8_t> CWinFreeImage::scanLine(int row) const
{
    if (!m_bitmap || row < 0 || row >= height())
        return {};
    return {FreeImage_GetScanLine(m_bitmap.get(), row), FreeImage_GetLine(m_bitmap.get())};
}

gfx::ConstPixelBuffer CWinFreeImage::pixels() const
{
    if (!m_bitmap || bitsPerPixel() != 32 || FreeImage_GetImageType(m_bitmap.get()) != FIT_BITMAP)
        return {};
    return {reinterpret_cast<const uint32_t*>(FreeImage_GetBits(m_bitmap.get())), width(), height(),
            int32_t(FreeImage_GetPitch(m_bitmap.get()))};
}

bool CWinFreeImage::Load(const std::filesystem::path& path, uint32_t flags, int transparency)
{
    Unload();
    // Paths are UTF-8 bytes here, which is what FreeImage takes.
    const char* name = path.c_str();
    FREE_IMAGE_FORMAT format = formatFromFileName(path);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFileType(name);
    FreeImageBitmap loaded = decode(
        format, [name](FREE_IMAGE_FORMAT f, int loadFlags) { return FreeImage_Load(f, name, loadFlags); },
        [&path] { return readFile(path); });
    if (!finishLoad(std::move(loaded), flags, transparency))
        return false;
    if (!(flags & LoadEightBit))
        loadDepthImage(path, flags);
    return true;
}

bool CWinFreeImage::LoadFromMemory(std::span<const uint8_t> bytes, uint32_t flags, int transparency)
{
    Unload();
    if (bytes.empty() || bytes.size() > std::numeric_limits<DWORD>::max())
        return false;
    // The stream only reads the bytes; FreeImage copies the pixels out, so it is closed
    // straight after decoding.
    FIMEMORY* stream = FreeImage_OpenMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()));
    if (!stream)
        return false;
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(stream, 0);
    FreeImageBitmap loaded = decode(
        format,
        [stream](FREE_IMAGE_FORMAT f, int loadFlags) -> FIBITMAP* {
            if (!FreeImage_SeekMemory(stream, 0, SEEK_SET))
                return nullptr;
            return FreeImage_LoadFromMemory(f, stream, loadFlags);
        },
        [bytes] { return bytes; });
    FreeImage_CloseMemory(stream);
    return finishLoad(std::move(loaded), flags, transparency);
}

bool CWinFreeImage::finishLoad(FreeImageBitmap loaded, uint32_t flags, int transparency)
{
    if (!loaded)
        return false;
    // 16 bits a channel (RGB16, RGBA16) become 8 by the 32-bit conversion below, which
    // the standard-type conversion refuses; greyscale and floating types go through it.
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(loaded.get());
    if (type != FIT_BITMAP && type != FIT_RGB16 && type != FIT_RGBA16) {
        loaded.reset(FreeImage_ConvertToStandardType(loaded.get(), TRUE));
        if (!loaded)
            return false;
    }
    const unsigned depth = flags & LoadEightBit ? 8 : 32;
    if (FreeImage_GetBPP(loaded.get()) != depth) {
        loaded.reset(depth == 8 ? FreeImage_ConvertTo8Bits(loaded.get()) : FreeImage_ConvertTo32Bits(loaded.get()));
        if (!loaded)
            return false;
    }
    if (!FreeImage_FlipVertical(loaded.get()))
        return false;
    m_bitmap = std::move(loaded);
    bool ok = true;
    if (depth == 32) {
        ok = adjustAlpha(transparency);
        if (ok && (flags & LoadPremultiplied))
            ok = FreeImage_PreMultiplyWithAlpha(m_bitmap.get());
    }
    if (!ok)
        Unload();
    OnImageChanged();
    return ok;
}

void CWinFreeImage::loadDepthImage(const std::filesystem::path& path, uint32_t flags)
{
    std::filesystem::path name = path.stem();
    name += "_depth";
    name += path.extension();
    const std::filesystem::path depthPath = std::filesystem::path(path).replace_filename(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(depthPath, error))
        return;
    auto depth = std::make_unique<CWinFreeImage>();
    if (depth->Load(depthPath, (flags & ~uint32_t(LoadPremultiplied)) | LoadEightBit, 0))
        m_second = std::move(depth);
}

bool CWinFreeImage::Draw(gfx::DeviceContext& dc, int x, int y, int width, int height) const
{
    const gfx::ConstPixelBuffer source = pixels();
    if (!source.isValid())
        return false;
    const int w = width == -1 ? source.width : width;
    const int h = height == -1 ? source.height : height;
    return dc.alphaBlend(gfx::Rect::fromSize(x, y, w, h), source, {0, 0, source.width, source.height}) == 0;
}

std::unique_ptr<CWinFreeImage> CWinFreeImage::Crop(int top, int left, int width, int height) const
{
    if (!m_bitmap || width <= 0 || height <= 0 || FreeImage_GetImageType(m_bitmap.get()) != FIT_BITMAP)
        return nullptr;
    const unsigned depth = FreeImage_GetBPP(m_bitmap.get());
    if (depth % 8 != 0)
        return nullptr;
    // Clipped in 64 bits, so that no sum of the arguments can overflow.
    const int64_t x0 = std::max<int64_t>(left, 0), y0 = std::max<int64_t>(top, 0);
    const int64_t x1 = std::min<int64_t>(int64_t(left) + width, this->width());
    const int64_t y1 = std::min<int64_t>(int64_t(top) + height, this->height());
    if (x1 <= x0 || y1 <= y0)
        return nullptr;
    FIBITMAP* source = m_bitmap.get();
    FreeImageBitmap cropped = FreeImageBitmap(FreeImage_Allocate(int(x1 - x0), int(y1 - y0), int(depth), FreeImage_GetRedMask(source),
                                               FreeImage_GetGreenMask(source), FreeImage_GetBlueMask(source)));
    if (!cropped)
        return nullptr;
    RGBQUAD* fromPalette = FreeImage_GetPalette(source);
    RGBQUAD* toPalette = FreeImage_GetPalette(cropped.get());
    if (fromPalette && toPalette)
        std::memcpy(toPalette, fromPalette,
                    sizeof(RGBQUAD) * std::min(FreeImage_GetColorsUsed(source), FreeImage_GetColorsUsed(cropped.get())));
    if (FreeImage_GetTransparencyCount(source) > 0)
        FreeImage_SetTransparencyTable(cropped.get(), FreeImage_GetTransparencyTable(source),
                                       int(FreeImage_GetTransparencyCount(source)));
    const std::size_t bytesPerPixel = depth / 8;
    for (int64_t y = y0; y < y1; ++y)
        std::memcpy(FreeImage_GetScanLine(cropped.get(), int(y - y0)),
                    FreeImage_GetScanLine(source, int(y)) + std::size_t(x0) * bytesPerPixel,
                    std::size_t(x1 - x0) * bytesPerPixel);
    auto image = std::make_unique<CWinFreeImage>();
    image->m_bitmap = std::move(cropped);
    return image;
}

bool CWinFreeImage::RescaleInto(CWinFreeImage& target, int width, int height) const
{
    if (!m_bitmap || !sizeAllowed(width, height))
        return false;
    FreeImageBitmap image = rescaled(m_bitmap.get(), width, height);
    if (!image)
        return false;
    FreeImageBitmap second = FreeImageBitmap();
    if (m_second && m_second->m_bitmap) {
        second = rescaled(m_second->m_bitmap.get(), width, height);
        if (!second)
            return false;
    }
    // Both copies exist: only now is anything replaced.
    target.m_bitmap= std::move(image);
    if (second) {
        if (!target.m_second)
            target.m_second = std::make_unique<CWinFreeImage>();
        target.m_second->m_bitmap= std::move(second);
        target.m_second->m_second.reset();
    } else {
        target.m_second.reset();
    }
    target.OnImageChanged();
    return true;
}

bool CWinFreeImage::Rescale(int width, int height)
{
    return RescaleInto(*this, width, height);
}

gfx::Surface CWinFreeImage::ToSurface() const
{
    if (!m_bitmap)
        return {};
    FreeImageBitmap converted = FreeImageBitmap();
    FIBITMAP* source = m_bitmap.get();
    if (bitsPerPixel() != 32 || FreeImage_GetImageType(source) != FIT_BITMAP) {
        converted = FreeImageBitmap(FreeImage_ConvertTo32Bits(source));
        if (!converted)
            return {};
        source = converted.get();
    }
    gfx::Surface surface(width(), height());
    if (!surface.isValid())
        return {};
    const gfx::PixelBuffer target = surface.pixels();
    for (int y = 0; y < target.height; ++y)
        std::memcpy(target.row(y), FreeImage_GetScanLine(source, y), std::size_t(target.width) * 4);
    return surface;
}

bool CWinFreeImage::FromSurface(const gfx::ConstPixelBuffer& pixels)
{
    if (!pixels.isValid())
        return false;
    FreeImageBitmap image =
        FreeImageBitmap(FreeImage_Allocate(pixels.width, pixels.height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
    if (!image)
        return false;
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(FreeImage_GetScanLine(image.get(), y), pixels.row(y), std::size_t(pixels.width) * 4);
    m_bitmap= std::move(image);
    OnImageChanged();
    return true;
}

bool CWinFreeImage::CopyTo(CWinFreeImage& other) const
{
    if (&other == this)
        return true;
    other.Unload();
    if (!m_bitmap)
        return true;
    FreeImageBitmap clone = FreeImageBitmap(FreeImage_Clone(m_bitmap.get()));
    if (!clone)
        return false;
    std::unique_ptr<CWinFreeImage> second;
    if (m_second) {
        second = std::make_unique<CWinFreeImage>();
        if (!m_second->CopyTo(*second))
            return false;
    }
    other.m_bitmap= std::move(clone);
    other.m_second = std::move(second);
    other.OnImageChanged();
    return true;
}

bool CWinFreeImage::isOpaque() const
{
    if (!m_bitmap || FreeImage_GetImageType(m_bitmap.get()) != FIT_BITMAP || bitsPerPixel() != 32)
        return true;
    const gfx::ConstPixelBuffer source = pixels();
    for (int y = 0; y < source.height; ++y) {
        const uint32_t* row = source.row(y);
        for (int x = 0; x < source.width; ++x) {
            if ((row[x] >> 24) < 251)
                return false;
        }
    }
    return true;
}

bool CWinFreeImage::adjustAlpha(int transparency)
{
    const int t = clampTransparency(transparency);
    if (t == 0)
        return true;
    if (!m_bitmap || bitsPerPixel() != 32)
        return false;
    BYTE table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = BYTE(i * (255 - t) / 256);
    if (!FreeImage_AdjustCurve(m_bitmap.get(), table, FICC_ALPHA))
        return false;
    OnImageChanged();
    return true;
}

uint32_t CWinFreeImage::premultiplyColour(uint32_t argb)
{
    const uint32_t a = argb >> 24;
    return a << 24 | ((argb >> 16 & 0xFF) * a >> 8) << 16 | ((argb >> 8 & 0xFF) * a >> 8) << 8 | ((argb & 0xFF) * a >> 8);
}

bool CWinFreeImage::remapIndices()
{
    if (!m_bitmap || bitsPerPixel() != 8)
        return false;
    const int w = width();
    for (int y = 0; y < height(); ++y) {
        BYTE* row = FreeImage_GetScanLine(m_bitmap.get(), y);
        for (int x = 0; x < w; ++x)
            row[x] = BYTE(128 - row[x]);
    }
    OnImageChanged();
    return true;
}
