#include <gtest/gtest.h>

#include <FreeImage.h>
#include <zlib.h>
#include <algorithm>
#include <atomic>
#include <climits>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocation hooks (its header is not always installed).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                                         void (*onFree)(const volatile void*));
#endif

#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Found beside this source, so the test runs from any folder and environment.
std::filesystem::path image(const std::string& name)
{
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures" / "images" / name;
}

uint32_t pixelAt(const CWinFreeImage& picture, int x, int y)
{
    return picture.pixels().row(y)[x];
}

using Pixels = std::vector<uint32_t>;

Pixels pixelRow(const CWinFreeImage& picture, int y)
{
    return {picture.pixels().row(y), picture.pixels().row(y) + picture.width()};
}

std::vector<uint8_t> row(const CWinFreeImage& picture, int y)
{
    const auto line = picture.scanLine(y);
    return {line.begin(), line.begin() + picture.width() * picture.bitsPerPixel() / 8};
}

// A 32-bit image of one colour.
void fill(CWinFreeImage& picture, int width, int height, uint32_t argb)
{
    gfx::Surface surface(width, height);
    for (int y = 0; y < height; ++y)
        std::fill(surface.pixels().row(y), surface.pixels().row(y) + width, argb);
    ASSERT_TRUE(picture.FromSurface(surface.pixels()));
}

std::span<const uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The largest single block the process allocated since reset(); measured only where the
// sanitizer's allocator reports every allocation.
class LargestAllocation {
public:
    static bool Measured()
    {
#if defined(__SANITIZE_ADDRESS__)
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(&onMalloc, &onFree) != 0;
        return installed;
#else
        return false;
#endif
    }
    static void Reset() { s_largest = 0; }
    static std::size_t Largest() { return s_largest; }

private:
    static void onMalloc(const volatile void*, std::size_t size)
    {
        std::size_t seen = s_largest.load();
        while (size > seen && !s_largest.compare_exchange_weak(seen, size)) {
        }
    }
    static void onFree(const volatile void*) {}
    static inline std::atomic<std::size_t> s_largest{0};
};

} // namespace

TEST(CWinFreeImage, LoadsPngWithAlphaTopRowFirst)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 0));
    EXPECT_EQ(picture.width(), 4);
    EXPECT_EQ(picture.height(), 3);
    EXPECT_EQ(picture.bitsPerPixel(), 32);
    EXPECT_EQ(pixelRow(picture, 0), (Pixels{0x80C86432, 0xFFFF0000, 0x0000FF00, 0x400000FF}));
    EXPECT_EQ(pixelRow(picture, 1), Pixels(4, 0xFF0A141E));
    EXPECT_EQ(pixelRow(picture, 2), (Pixels{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}));
    EXPECT_FALSE(picture.isOpaque());
}

TEST(CWinFreeImage, PremultipliesAndScalesAlphaOnLoad)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), CWinFreeImage::LoadPremultiplied, 0));
    EXPECT_EQ(pixelRow(picture, 0), (Pixels{0x80643219, 0xFFFF0000, 0x00000000, 0x40000040}));

    // alpha × (255 - t) / 256, rounded down: 128 -> 63, 255 -> 126, 0 -> 0, 64 -> 31.
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 128));
    EXPECT_EQ(pixelRow(picture, 0), (Pixels{0x3FC86432, 0x7EFF0000, 0x0000FF00, 0x1F0000FF}));

    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 255));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pixelAt(picture, x, y) >> 24, 0u);
}

TEST(CWinFreeImage, Loads24BitBmpOpaque)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgb24.bmp"), CWinFreeImage::LoadPremultiplied, 0));
    EXPECT_EQ(picture.width(), 3);
    EXPECT_EQ(picture.bitsPerPixel(), 32);
    EXPECT_EQ(pixelRow(picture, 0), (Pixels{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
    EXPECT_EQ(pixelRow(picture, 1), (Pixels{0xFF010203, 0xFF040506, 0xFF070809}));
    EXPECT_TRUE(picture.isOpaque());
    EXPECT_EQ(picture.secondImage(), nullptr);

    ASSERT_TRUE(picture.Load(image("rgb24.bmp"), 0, 100));
    EXPECT_EQ(pixelAt(picture, 0, 0), 0x9AFF0000u); // 255 × 155 / 256 = 154
}

TEST(CWinFreeImage, LoadsPaletteImagesAsColourOrIndices)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("palette.png"), 0, 0));
    EXPECT_EQ(pixelAt(picture, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixelAt(picture, 1, 0), 0x800000FFu);
    EXPECT_EQ(pixelAt(picture, 2, 0) >> 24, 0u);
    EXPECT_EQ(pixelAt(picture, 0, 1) >> 24, 0u);

    ASSERT_TRUE(picture.Load(image("palette.png"), CWinFreeImage::LoadEightBit, 0));
    EXPECT_EQ(picture.bitsPerPixel(), 8);
    EXPECT_EQ(row(picture, 0), (std::vector<uint8_t>{0, 1, 2}));
    EXPECT_EQ(row(picture, 1), (std::vector<uint8_t>{2, 1, 0}));
    EXPECT_TRUE(picture.isOpaque()); // only 32-bit alpha counts
    EXPECT_FALSE(picture.pixels().isValid());
}

TEST(CWinFreeImage, LoadsTheDepthCompanionUnderAUtf8Path)
{
    vx::test::TempDir dir;
    const std::filesystem::path picturePath = dir.path() / std::filesystem::path(u8"L\u00e4mpchen \u00fc.png");
    std::filesystem::copy_file(image("rgba.png"), picturePath);
    std::filesystem::copy_file(image("rgba_depth.png"), dir.path() / std::filesystem::path(u8"L\u00e4mpchen \u00fc_depth.png"));

    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(picturePath, CWinFreeImage::LoadPremultiplied, 40));
    const CWinFreeImage* depth = picture.secondImage();
    ASSERT_NE(depth, nullptr);
    // 8 bits, neither premultiplied nor made transparent.
    EXPECT_EQ(depth->bitsPerPixel(), 8);
    EXPECT_EQ(row(*depth, 0), (std::vector<uint8_t>{0, 128, 255, 64}));
    EXPECT_EQ(row(*depth, 2), (std::vector<uint8_t>{200, 201, 202, 203}));
    EXPECT_EQ(depth->secondImage(), nullptr);

    // An 8-bit request never looks for a companion.
    ASSERT_TRUE(picture.Load(picturePath, CWinFreeImage::LoadEightBit, 0));
    EXPECT_EQ(picture.secondImage(), nullptr);

    // An unreadable companion changes nothing.
    std::filesystem::copy_file(image("rgba.png"), dir / "lamp.png");
    vx::test::writeFile(dir / "lamp_depth.png", "not a picture");
    ASSERT_TRUE(picture.Load(dir / "lamp.png", 0, 0));
    EXPECT_EQ(picture.secondImage(), nullptr);
}

TEST(CWinFreeImage, BadFilesLeaveTheImageEmpty)
{
    vx::test::TempDir dir;
    vx::test::writeFile(dir / "broken.png", "\x89PNG\r\n\x1a\n truncated");
    std::string bmp = vx::test::readFile(image("rgb24.bmp"));
    ASSERT_GE(bmp.size(), 54u); // the header patched below; a missing fixture reads empty
    vx::test::writeFile(dir / "short.bmp", bmp.substr(0, 30)); // cut inside the header
    // A header that claims 100000 by 100000 pixels is refused before decoding.
    bmp[18] = char(0xA0), bmp[19] = char(0x86), bmp[20] = 0x01;
    bmp[22] = char(0xA0), bmp[23] = char(0x86), bmp[24] = 0x01;
    vx::test::writeFile(dir / "huge.bmp", bmp);
    // A well-formed 1 by 1 TGA: a format whose reader is not offered outside data.
    vx::test::writeFile(dir / "picture.tga", std::string("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\x18\0\x10\x20\x30", 21));

    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 0));
    for (const char* name : {"missing.png", "broken.png", "short.bmp", "huge.bmp", "picture.tga"}) {
        EXPECT_FALSE(picture.Load(dir / name, 0, 0)) << name;
        EXPECT_FALSE(picture.isLoaded()) << name;
    }
    // A name that tells nothing: the content decides.
    std::filesystem::copy_file(image("rgba.png"), dir / "picture.dat");
    EXPECT_TRUE(picture.Load(dir / "picture.dat", 0, 0));
}

TEST(CWinFreeImage, LoadsSixteenBitsAChannelAsTheirHighBytes)
{
    struct Case {
        const char* name;
        Pixels row;
    };
    for (const Case& c : {Case{"rgba16.png", {0xFF12569A, 0x80FF0080}}, Case{"rgb16.png", {0xFFFF8001, 0xFF0040C0}}}) {
        CWinFreeImage picture;
        ASSERT_TRUE(picture.Load(image(c.name), 0, 0)) << c.name;
        EXPECT_EQ(picture.bitsPerPixel(), 32);
        EXPECT_EQ(pixelRow(picture, 0), c.row) << c.name;
        const std::string bytes = vx::test::readFile(image(c.name));
        CWinFreeImage fromMemory;
        ASSERT_TRUE(fromMemory.LoadFromMemory(bytesOf(bytes), 0, 0)) << c.name;
        EXPECT_EQ(pixelRow(fromMemory, 0), c.row) << c.name;
    }
}

TEST(CWinFreeImage, AGifClaimingAHugeScreenIsRefusedBeforeAnythingLarge)
{
    const std::filesystem::path gif = image("huge-screen.gif");
    const std::string bytes = vx::test::readFile(gif);
    ASSERT_EQ(bytes.size(), 27u);
    const bool measured = LargestAllocation::Measured();
    LargestAllocation::Reset();
    CWinFreeImage picture;
    EXPECT_FALSE(picture.Load(gif, 0, 0));
    EXPECT_FALSE(picture.LoadFromMemory(bytesOf(bytes), 0, 0));
    EXPECT_FALSE(picture.isLoaded());
    if (measured)
        EXPECT_LT(LargestAllocation::Largest(), std::size_t(1) << 20);

    // A GIF of ordinary size, with extensions before its frame, loads (the fuzzer's
    // seed after its first byte).
    const std::string seed = vx::test::readFile(image("../fuzz/image_file/gif")).substr(1);
    EXPECT_TRUE(picture.LoadFromMemory(bytesOf(seed), 0, 0));
    EXPECT_EQ(picture.width(), 5);
}

TEST(CWinFreeImage, APictureLargerThanAnImageChunkIsRefusedFromItsHeader)
{
    // A PNG header of 16385 by 1 pixels: one side too long, however few the pixels.
    std::string png = vx::test::readFile(image("rgba.png"));
    ASSERT_GT(png.size(), 24u);
    const auto setSize = [&](uint32_t width, uint32_t height) {
        const auto put = [&](std::size_t at, uint32_t value) {
            for (int i = 0; i < 4; ++i)
                png[at + std::size_t(i)] = char(value >> (24 - 8 * i));
        };
        put(16, width);
        put(20, height);
        // The chunk's CRC over its type and data, so only the size is wrong.
        put(29, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17)));
    };
    CWinFreeImage picture;
    setSize(16385, 1);
    EXPECT_FALSE(picture.LoadFromMemory(bytesOf(png), 0, 0));
    setSize(8192, 8193); // within a side, past 256 MiB
    EXPECT_FALSE(picture.LoadFromMemory(bytesOf(png), 0, 0));
    // Its own size again: it loads.
    setSize(4, 3);
    EXPECT_TRUE(picture.LoadFromMemory(bytesOf(png), 0, 0));
}

TEST(CWinFreeImage, LoadsFromMemory)
{
    const std::string bytes = vx::test::readFile(image("rgba.png"));
    CWinFreeImage picture;
    ASSERT_TRUE(picture.LoadFromMemory({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()},
                                       CWinFreeImage::LoadPremultiplied, 0));
    EXPECT_EQ(pixelAt(picture, 0, 0), 0x80643219u);
    EXPECT_EQ(picture.secondImage(), nullptr);
    EXPECT_FALSE(picture.LoadFromMemory({reinterpret_cast<const uint8_t*>(bytes.data()), 20}, 0, 0));
    EXPECT_FALSE(picture.LoadFromMemory({}, 0, 0));
    EXPECT_FALSE(picture.isLoaded());
}

TEST(CWinFreeImage, RescaleKeepsTheOldImageOnABadSize)
{
    CWinFreeImage picture;
    fill(picture, 4, 4, 0xFF336699);
    ASSERT_TRUE(picture.Rescale(2, 3));
    EXPECT_EQ(picture.width(), 2);
    EXPECT_EQ(picture.height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(pixelAt(picture, x, y), 0xFF336699u);
    for (auto [w, h] : {std::pair{0, 3}, {2, 0}, {-1, 5}, {1 << 14, 1 << 14}}) {
        EXPECT_FALSE(picture.Rescale(w, h));
        EXPECT_EQ(picture.width(), 2);
        EXPECT_EQ(picture.height(), 3);
    }
    CWinFreeImage empty;
    EXPECT_FALSE(empty.Rescale(2, 2));

    // The depth image follows, and stays 8 bits.
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 0));
    ASSERT_NE(picture.secondImage(), nullptr);
    ASSERT_TRUE(picture.Rescale(8, 6));
    EXPECT_EQ(picture.secondImage()->width(), 8);
    EXPECT_EQ(picture.secondImage()->height(), 6);
    EXPECT_EQ(picture.secondImage()->bitsPerPixel(), 8);
}

TEST(CWinFreeImage, CropIsClippedToTheImage)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 0));
    struct Case {
        int top, left, width, height;
        int expectedWidth, expectedHeight;
        uint32_t topLeft;
    };
    const Case cases[] = {
        {1, 1, 2, 2, 2, 2, 0xFF0A141E},
        {2, 3, 10, 10, 1, 1, 0xFF000000},
        {-1, -1, 2, 2, 1, 1, 0x80C86432},
        {0, 1, INT_MAX, INT_MAX, 3, 3, 0xFFFF0000},
    };
    for (const Case& c : cases) {
        const auto cropped = picture.Crop(c.top, c.left, c.width, c.height);
        ASSERT_NE(cropped, nullptr) << c.top << "," << c.left;
        EXPECT_EQ(cropped->width(), c.expectedWidth);
        EXPECT_EQ(cropped->height(), c.expectedHeight);
        EXPECT_EQ(cropped->bitsPerPixel(), 32);
        EXPECT_EQ(pixelAt(*cropped, 0, 0), c.topLeft);
    }
    EXPECT_EQ(pixelAt(*picture.Crop(1, 1, 2, 2), 1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(picture.Crop(3, 0, 1, 1), nullptr);
    EXPECT_EQ(picture.Crop(0, 4, 1, 1), nullptr);
    EXPECT_EQ(picture.Crop(0, 0, 0, 1), nullptr);
    EXPECT_EQ(picture.Crop(INT_MAX, INT_MAX, INT_MAX, INT_MAX), nullptr);
    EXPECT_EQ(picture.Crop(INT_MIN, INT_MIN, 1, 1), nullptr);

    // 8 bits keep their palette and transparency.
    ASSERT_TRUE(picture.Load(image("palette.png"), CWinFreeImage::LoadEightBit, 0));
    const auto indices = picture.Crop(0, 1, 2, 2);
    ASSERT_NE(indices, nullptr);
    EXPECT_EQ(indices->bitsPerPixel(), 8);
    EXPECT_EQ(row(*indices, 0), (std::vector<uint8_t>{1, 2}));
    const gfx::Surface colours = indices->ToSurface();
    EXPECT_EQ(colours.pixel(0, 0), 0x800000FFu);
    EXPECT_EQ(colours.pixel(1, 0) >> 24, 0u);
}

TEST(CWinFreeImage, ConvertsToAndFromSurfaces)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 0));
    const gfx::Surface surface = picture.ToSurface();
    ASSERT_TRUE(surface.isValid());
    EXPECT_EQ(surface.pixel(0, 0), 0x80C86432u);
    EXPECT_EQ(surface.pixel(3, 2), 0xFF000000u);

    CWinFreeImage copy;
    ASSERT_TRUE(copy.FromSurface(surface.pixels()));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pixelAt(copy, x, y), pixelAt(picture, x, y));
    EXPECT_FALSE(copy.FromSurface(gfx::ConstPixelBuffer()));
    EXPECT_EQ(copy.width(), 4);
    EXPECT_FALSE(CWinFreeImage().ToSurface().isValid());
}

TEST(CWinFreeImage, CopyToClonesTheChain)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), 0, 0));
    CWinFreeImage copy;
    fill(copy, 1, 1, 0xFFFFFFFF);
    ASSERT_TRUE(picture.CopyTo(copy));
    ASSERT_NE(copy.secondImage(), nullptr);
    EXPECT_NE(copy.bitmap(), picture.bitmap());
    EXPECT_EQ(row(*copy.secondImage(), 0), row(*picture.secondImage(), 0));
    EXPECT_EQ(pixelAt(copy, 0, 0), 0x80C86432u);
    ASSERT_TRUE(copy.Rescale(2, 2));
    EXPECT_EQ(picture.width(), 4);
    EXPECT_TRUE(picture.CopyTo(picture));
    EXPECT_TRUE(picture.isLoaded());
}

TEST(CWinFreeImage, PixelHelpers)
{
    EXPECT_EQ(CWinFreeImage::premultiplyColour(0x80FF8040), 0x807F4020u);
    EXPECT_EQ(CWinFreeImage::premultiplyColour(0xFFFFFFFF), 0xFFFEFEFEu);
    EXPECT_EQ(CWinFreeImage::premultiplyColour(0x00FFFFFF), 0x00000000u);

    CWinFreeImage depth;
    ASSERT_TRUE(depth.Load(image("rgba_depth.png"), CWinFreeImage::LoadEightBit, 0));
    ASSERT_TRUE(depth.remapIndices());
    EXPECT_EQ(row(depth, 0), (std::vector<uint8_t>{128, 0, 129, 64}));

    CWinFreeImage picture;
    fill(picture, 2, 2, 0xFB000000);
    EXPECT_TRUE(picture.isOpaque());
    EXPECT_FALSE(picture.remapIndices());
    fill(picture, 2, 2, 0xFA000000);
    EXPECT_FALSE(picture.isOpaque());
    EXPECT_TRUE(picture.adjustAlpha(0));
    EXPECT_EQ(pixelAt(picture, 1, 1), 0xFA000000u);
    EXPECT_TRUE(picture.adjustAlpha(300)); // clamped to 255
    EXPECT_EQ(pixelAt(picture, 1, 1), 0x00000000u);
    EXPECT_FALSE(depth.adjustAlpha(10));
}

TEST(CWinFreeImage, DrawsPremultipliedPixelsOverTheTarget)
{
    CWinFreeImage picture;
    ASSERT_TRUE(picture.Load(image("rgba.png"), CWinFreeImage::LoadPremultiplied, 0));
    gfx::Surface surface(10, 8);
    gfx::DeviceContext dc(surface);
    dc.fillRect({0, 0, 10, 8}, gfx::Colour::fromArgb(0xFFFFFFFF));
    ASSERT_TRUE(picture.Draw(dc, 1, 1));
    EXPECT_EQ(surface.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(surface.pixel(1, 1), 0xFFE3B198u); // 0x80643219 over white
    EXPECT_EQ(surface.pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(surface.pixel(3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(surface.pixel(4, 3), 0xFF000000u);
    EXPECT_EQ(surface.pixel(5, 3), 0xFFFFFFFFu);

    // Stretched twice as wide and high.
    ASSERT_TRUE(picture.Draw(dc, 2, 0, 8, 6));
    EXPECT_EQ(surface.pixel(4, 0), 0xFFFF0000u);
    EXPECT_EQ(surface.pixel(5, 1), 0xFFFF0000u);
    EXPECT_EQ(surface.pixel(9, 5), 0xFF000000u);

    CWinFreeImage indices;
    ASSERT_TRUE(indices.Load(image("palette.png"), CWinFreeImage::LoadEightBit, 0));
    EXPECT_FALSE(indices.Draw(dc, 0, 0));
}

TEST(CWinFreeImage, ThreadsLoadAtOnceAndTheExtensionMatchesWithoutCase)
{
    // The worker loads pictures while the user-interface thread does: the format lookup by
    // file name must not share state between them.
    vx::test::TempDir dir;
    const std::filesystem::path upper = dir.path() / "RGBA.PNG";
    std::filesystem::copy_file(image("rgba.png"), upper);
    constexpr int kThreads = 4;
    constexpr int kLoads = 500;
    std::vector<int> loaded(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLoads; ++i) {
                CWinFreeImage picture;
                loaded[std::size_t(t)] += picture.Load(t % 2 ? upper : image("rgba.png"), 0, 0) ? 1 : 0;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(loaded, std::vector<int>(kThreads, kLoads));
}
