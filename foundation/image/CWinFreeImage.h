#pragma once
// A picture held as a FreeImage bitmap: loaded from a file (with its depth companion) or
// from memory, converted to 32 or 8 bits, rescaled, cropped and drawn with per-pixel
// alpha through the device context. Loaded pixels are flipped so that scan line 0 is the
// top row. Every FreeImage result is checked; a failed operation keeps the old image.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "platform/gfx/PixelBuffer.h"

struct FIBITMAP;

// Owns a FreeImage bitmap.
struct FreeImageBitmapDeleter {
    void operator()(FIBITMAP* bitmap) const;
};
using FreeImageBitmap = std::unique_ptr<FIBITMAP, FreeImageBitmapDeleter>;

namespace gfx {
class DeviceContext;
class Surface;
} // namespace gfx

class CWinFreeImage {
public:
    enum LoadFlag : uint32_t {
        LoadPremultiplied = 1u << 0, // colours times alpha after loading
        LoadEightBit = 1u << 3,      // an 8-bit image (depth images); no depth companion
    };

    CWinFreeImage();
    virtual ~CWinFreeImage();
    CWinFreeImage(const CWinFreeImage&) = delete;
    CWinFreeImage& operator=(const CWinFreeImage&) = delete;

    // The type comes from the file name (from the content when the name tells nothing).
    // A picture larger than an image chunk may hold is refused from its header, before
    // its pixels are decoded.
    // Beside a 32-bit load, "<stem>_depth<extension>" becomes the second image when it
    // exists and loads. transparency 0..255 scales the alpha (adjustAlpha).
    bool Load(const std::filesystem::path& path, uint32_t flags, int transparency);
    // The same from bytes in memory (a picture compiled into a library); no depth image.
    bool LoadFromMemory(std::span<const uint8_t> bytes, uint32_t flags, int transparency);

    // Blends the premultiplied 32-bit pixels at (x, y), stretched to width by height
    // (-1: the image's own). False when nothing could be drawn.
    virtual bool Draw(gfx::DeviceContext& dc, int x, int y, int width = -1, int height = -1) const;
    virtual void Unload();

    // Rows top .. top + height - 1 from column left, clipped to the image; none when
    // nothing of the rectangle lies on the image.
    std::unique_ptr<CWinFreeImage> Crop(int top, int left, int width, int height) const;
    // Bilinear rescale of the image and its second image; a size of 0 or a failure
    // keeps both as they were.
    bool Rescale(int width, int height);
    // A surface of the image's size holding its pixels as 32 bits.
    gfx::Surface ToSurface() const;
    // Replaces the image by a 32-bit copy of the pixels.
    bool FromSurface(const gfx::ConstPixelBuffer& pixels);
    // other is unloaded, then gets clones of this image and its chain of second images.
    bool CopyTo(CWinFreeImage& other) const;

    // True unless a 32-bit image has a pixel whose alpha is below 251.
    bool isOpaque() const;
    // Alpha becomes floor(alpha × (255 - t) / 256); t of 0 changes nothing. 32 bits only.
    bool adjustAlpha(int transparency);
    // A, R × A / 256, G × A / 256, B × A / 256.
    static uint32_t premultiplyColour(uint32_t argb);
    // For an 8-bit image, every index i becomes (128 - i) modulo 256.
    bool remapIndices();

    bool isLoaded() const { return m_bitmap != nullptr; }
    int width() const;
    int height() const;
    int bitsPerPixel() const;
    // Row 0 is the top row; empty outside the image.
    std::span<const uint8_t> scanLine(int row) const;
    // The pixels of a 32-bit image; empty for other depths.
    gfx::ConstPixelBuffer pixels() const;
    const CWinFreeImage* secondImage() const { return m_second.get(); }
    FIBITMAP* bitmap() const { return m_bitmap.get(); }

protected:
    // Called whenever the pixels change, so that derived copies can be dropped.
    virtual void OnImageChanged() {}
    // Puts bilinear copies of this image and its second image, at the given size, into
    // target (which may be this image).
    bool RescaleInto(CWinFreeImage& target, int width, int height) const;

private:
    bool finishLoad(FreeImageBitmap loaded, uint32_t flags, int transparency);
    void loadDepthImage(const std::filesystem::path& path, uint32_t flags);

    FreeImageBitmap m_bitmap;
    std::unique_ptr<CWinFreeImage> m_second;
};
