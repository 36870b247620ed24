#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "editor/document/CResourceIndex.h"
#include "editor/document/CSelectable.h"
#include "editor/document/TargetPicture.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/image/CCachedImage.h"
#include "foundation/target/TargetImage.h"
#include "foundation/target/TargetSpanReader.h"
#include "foundation/text/DFontFileDescriptor.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"

namespace {

using target::ChunkHeader;
using target::ImageChunkHeader;

const std::filesystem::path kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::filesystem::path kDejaVuSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// A picture whose pixel (x, y) is pixel(x, y), as ARGB words.
void paint(CCachedImage& image, int width, int height, const std::function<uint32_t(int, int)>& pixel)
{
    gfx::Surface surface(width, height);
    const gfx::PixelBuffer pixels = surface.pixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.row(y)[x] = pixel(x, y);
    ASSERT_TRUE(image.FromSurface(pixels));
}

uint32_t flat(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue)
{
    return uint32_t(alpha) << 24 | uint32_t(red) << 16 | uint32_t(green) << 8 | blue;
}

// One compile's target file: the top chunk open while resources are collected.
struct Compile {
    explicit Compile(int colorDepth = 32, uint32_t targetFlags = target::kTargetFlagsDefault)
    {
        resources.Begin(colorDepth, targetFlags);
    }
    uint32_t image(const CWinFreeImage* picture) { return CSelectable::CollectImage(riff, resources, picture); }
    uint32_t font(const std::filesystem::path& path) { return CSelectable::CollectFont(riff, resources, path); }
    std::span<const uint8_t> finish()
    {
        riff.close();
        EXPECT_FALSE(riff.failed());
        return stream.bytes();
    }

    DMemoryStream stream;
    DRIFFFile riff{stream, target::kChunkRiff, target::kFormProject};
    CResourceIndex resources;
};

struct Chunk {
    uint64_t offset = 0;
    uint32_t identifier = 0;
    std::span<const uint8_t> data;
};

// The direct children of the top chunk.
std::vector<Chunk> chunks(std::span<const uint8_t> file)
{
    std::vector<Chunk> found;
    target::TargetSpanReader reader(file);
    uint64_t position = ChunkHeader::kSize;
    while (position + ChunkHeader::kSize <= file.size()) {
        ChunkHeader header;
        EXPECT_EQ(reader.seek(position), 0);
        EXPECT_EQ(target::readRecord(reader, header), 0);
        const uint64_t next = header.nextChunkPosition(position);
        if (next > file.size())
            break;
        found.push_back({position, header.identifier, file.subspan(position + ChunkHeader::kDataOffset, header.dataSize())});
        position = next;
    }
    return found;
}

std::size_t countChunks(std::span<const uint8_t> file, uint32_t identifier)
{
    std::size_t count = 0;
    for (const Chunk& chunk : chunks(file))
        count += chunk.identifier == identifier ? 1 : 0;
    return count;
}

// An image chunk read back as the engine reads it.
struct ReadImage {
    uint32_t identifier = 0;
    ImageChunkHeader header;
    std::vector<uint8_t> plane;

    uint8_t channel(uint32_t x, uint32_t y, int byte) const { return plane[y * header.pitch + x * 4 + byte]; }
};

ReadImage readImageAt(std::span<const uint8_t> file, uint32_t offset)
{
    ReadImage image;
    target::TargetSpanReader reader(file);
    ChunkHeader chunk;
    if (reader.seek(offset) != 0 || target::readRecord(reader, chunk) != 0) {
        ADD_FAILURE() << "no chunk at " << offset;
        return image;
    }
    image.identifier = chunk.identifier;
    EXPECT_TRUE(target::isImageChunk(chunk.identifier));
    EXPECT_EQ(target::readRecord(reader, image.header), 0);
    std::vector<uint8_t> stored(image.header.byteCount);
    EXPECT_EQ(reader.read(stored.data(), uint32_t(stored.size())), 0);
    image.plane.resize(image.header.planeBytes());
    EXPECT_TRUE(target::unpackColorPlane(chunk.identifier, image.header, stored, image.plane));
    return image;
}

TEST(CollectImage, EqualPicturesShareOneChunk)
{
    auto gradient = [](int x, int y) { return flat(255, uint8_t(x * 16), uint8_t(y * 16), 7); };
    CCachedImage first, second, other;
    paint(first, 12, 9, gradient);
    paint(second, 12, 9, gradient);
    paint(other, 12, 9, [](int, int) { return flat(255, 1, 2, 3); });

    Compile compile;
    const uint32_t a = compile.image(&first);
    const uint32_t b = compile.image(&second);
    const uint32_t c = compile.image(&other);
    const std::span<const uint8_t> file = compile.finish();

    EXPECT_NE(a, 0u);
    EXPECT_EQ(a, b);
    EXPECT_NE(c, a);
    EXPECT_EQ(std::vector<uint32_t>(compile.resources.Entries().begin(), compile.resources.Entries().end()),
              (std::vector<uint32_t>{a, a, c}));
    EXPECT_EQ(compile.resources.WrittenCount(), 2u);
    EXPECT_EQ(countChunks(file, target::kChunkImageLzo), 2u);
    EXPECT_EQ(readImageAt(file, a).channel(3, 2, 2), 48);   // red of pixel (3, 2)
}

TEST(CollectImage, MissingPictureAppendsZeroAndKeepsLaterEntriesAligned)
{
    CCachedImage first, unloaded, last;
    paint(first, 4, 4, [](int, int) { return flat(255, 10, 20, 30); });
    paint(last, 4, 4, [](int, int) { return flat(255, 40, 50, 60); });

    Compile compile;
    const uint32_t a = compile.image(&first);
    EXPECT_EQ(compile.image(nullptr), 0u);
    EXPECT_EQ(compile.image(&unloaded), 0u);
    const uint32_t d = compile.image(&last);
    EXPECT_NE(d, 0u);
    const std::span<const uint8_t> file = compile.finish();

    CResourceIndex& resources = compile.resources;
    ASSERT_EQ(resources.Entries().size(), 4u);
    EXPECT_EQ(resources.TakeNext(), a);
    EXPECT_EQ(resources.TakeNext(), 0u);
    EXPECT_EQ(resources.TakeNext(), 0u);
    EXPECT_EQ(resources.TakeNext(), d);
    EXPECT_EQ(resources.Cursor(), 4u);
    // Taking more than was collected refers to nothing.
    EXPECT_EQ(resources.TakeNext(), 0u);
    EXPECT_EQ(readImageAt(file, d).channel(0, 0, 0), 60);
}

TEST(CollectImage, BeginStartsAFreshListAndContentMap)
{
    CCachedImage picture;
    paint(picture, 4, 4, [](int x, int) { return flat(255, uint8_t(x), 0, 0); });

    Compile compile;
    const uint32_t first = compile.image(&picture);
    compile.resources.Begin(32, target::kTargetFlagsDefault);
    EXPECT_TRUE(compile.resources.Entries().empty());
    EXPECT_EQ(compile.resources.Cursor(), 0u);
    // A new compile knows nothing of the chunks of the last one.
    const uint32_t again = compile.image(&picture);
    EXPECT_NE(again, first);
    EXPECT_EQ(countChunks(compile.finish(), target::kChunkImageLzo), 2u);
}

// Every level of a channel with bits bits is a multiple of 2^(8 - bits).
bool onLevels(uint8_t value, int bits)
{
    return value % (1u << (8 - bits)) == 0;
}

struct DepthCase {
    const char* name;
    int depth;
    uint32_t pixelFormat;
    int bitsBlue, bitsGreen, bitsRed;   // 8: channels kept whole
    uint8_t flatValue;                  // between two levels, so dithering must mix them
};

class CollectImageDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(CollectImageDepth, ChannelsComeOutAsTheDepthAsks)
{
    const DepthCase& depth = GetParam();
    const uint8_t v = depth.flatValue;
    CCachedImage picture;
    paint(picture, 16, 16, [&](int, int) { return flat(0xC0, v, v, v); });

    Compile compile(depth.depth);
    const uint32_t offset = compile.image(&picture);
    const ReadImage image = readImageAt(compile.finish(), offset);

    EXPECT_EQ(image.header.width, 16u);
    EXPECT_EQ(image.header.height, 16u);
    EXPECT_EQ(image.header.pitch, 64u);
    EXPECT_EQ(image.header.pixelFormat, depth.pixelFormat);
    const int bits[3] = {depth.bitsBlue, depth.bitsGreen, depth.bitsRed};
    for (int byte = 0; byte < 3; ++byte) {
        std::set<uint8_t> seen;
        uint32_t sum = 0;
        for (uint32_t y = 0; y < 16; ++y)
            for (uint32_t x = 0; x < 16; ++x) {
                const uint8_t value = image.channel(x, y, byte);
                EXPECT_TRUE(onLevels(value, bits[byte])) << "byte " << byte << " value " << int(value);
                EXPECT_EQ(image.channel(x, y, 3), 0xC0);
                seen.insert(value);
                sum += value;
            }
        if (bits[byte] == 8) {
            EXPECT_EQ(seen, std::set<uint8_t>{v});
        } else {
            // A flat area between two levels comes out as a mix of both around it.
            EXPECT_EQ(seen.size(), 2u) << "byte " << byte;
            EXPECT_NEAR(double(sum) / 256.0, v, 1.0) << "byte " << byte;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, CollectImageDepth,
                         ::testing::Values(DepthCase{"Depth16", 16, target::kPixelFormat16, 5, 6, 5, 98},
                                           DepthCase{"Depth18", 18, target::kPixelFormat18, 6, 6, 6, 98},
                                           DepthCase{"Depth32", 32, target::kPixelFormat32, 8, 8, 8, 98},
                                           DepthCase{"Depth24KeepsColours", 24, target::kPixelFormat32, 8, 8, 8, 98}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CollectImage, DepthEightTurnsColoursGrey)
{
    CCachedImage picture;
    // Row 0 red 200, green 100, blue 50; row 1 white at half alpha.
    paint(picture, 8, 2, [](int, int y) { return y == 0 ? flat(0xFF, 200, 100, 50) : flat(0x80, 255, 255, 255); });

    Compile compile(8);
    const uint32_t offset = compile.image(&picture);
    const ReadImage image = readImageAt(compile.finish(), offset);

    EXPECT_EQ(image.header.pixelFormat, target::kPixelFormat32);
    EXPECT_EQ(image.header.pitch, 32u);
    for (uint32_t x = 0; x < 8; ++x) {
        // 0.2126 x 200 + 0.7152 x 100 + 0.0722 x 50 = 117.65
        for (int byte = 0; byte < 3; ++byte) {
            EXPECT_EQ(image.channel(x, 0, byte), 118);
            EXPECT_EQ(image.channel(x, 1, byte), 255);
        }
        EXPECT_EQ(image.channel(x, 0, 3), 0xFF);
        EXPECT_EQ(image.channel(x, 1, 3), 0x80);
    }
}

TEST(CollectImage, EightBitPictureIsStoredAsThirtyTwoBits)
{
    CCachedImage picture;
    ASSERT_TRUE(picture.Load(vx::test::fixturePath("images/palette.png"), CWinFreeImage::LoadEightBit, 0));
    ASSERT_EQ(picture.bitsPerPixel(), 8);

    Compile compile;
    const uint32_t offset = compile.image(&picture);
    ASSERT_NE(offset, 0u);
    const ReadImage image = readImageAt(compile.finish(), offset);
    EXPECT_EQ(image.header.width, uint32_t(picture.width()));
    EXPECT_EQ(image.header.pitch, uint32_t(picture.width()) * 4);
}

TEST(CollectImage, CompressionFollowsTargetFlagBitTwo)
{
    CCachedImage picture;
    paint(picture, 32, 32, [](int x, int) { return flat(255, x < 16 ? 255 : 0, 0, 0); });

    struct FlagsCase {
        uint32_t flags;
        uint32_t identifier;
    };
    const FlagsCase cases[] = {
        {target::kTargetFlagsDefault, target::kChunkImageLzo},
        {target::kTargetFlagCompress, target::kChunkImageLzo},
        {target::kTargetFlagPremultiply, target::kChunkImageRaw},
        {0, target::kChunkImageRaw},
    };
    std::vector<uint8_t> planes[2];
    for (const FlagsCase& flags : cases) {
        SCOPED_TRACE(flags.flags);
        Compile compile(32, flags.flags);
        const uint32_t offset = compile.image(&picture);
        const ReadImage image = readImageAt(compile.finish(), offset);
        EXPECT_EQ(image.identifier, flags.identifier);
        const bool compressed = flags.identifier == target::kChunkImageLzo;
        if (compressed)
            EXPECT_LT(image.header.byteCount, image.header.planeBytes());
        else
            EXPECT_EQ(image.header.byteCount, image.header.planeBytes());
        EXPECT_EQ(image.channel(3, 5, 2), 255);
        EXPECT_EQ(image.channel(20, 5, 2), 0);
        planes[compressed ? 1 : 0] = image.plane;
    }
    EXPECT_EQ(planes[0], planes[1]);
}

TEST(CollectFont, FontUsedTwiceIsWrittenOnce)
{
    Compile compile;
    const uint32_t a = compile.font(kDejaVuSans);
    DFontFileDescriptor face;
    face.absPath = DString(utf8ToWide(kDejaVuSans.string()));
    const uint32_t b = CSelectable::CollectFont(compile.riff, compile.resources, &face);
    const uint32_t bold = compile.font(kDejaVuSansBold);
    const std::span<const uint8_t> file = compile.finish();

    EXPECT_NE(a, 0u);
    EXPECT_EQ(a, b);
    EXPECT_NE(bold, a);
    EXPECT_EQ(countChunks(file, target::kChunkFont), 2u);
    const std::string expected = vx::test::readFile(kDejaVuSans);
    for (const Chunk& chunk : chunks(file)) {
        if (chunk.offset != a)
            continue;
        ASSERT_GE(chunk.data.size(), expected.size());
        EXPECT_LT(chunk.data.size() - expected.size(), 4u);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), chunk.data.begin(),
                               [](char c, uint8_t byte) { return uint8_t(c) == byte; }));
    }
}

TEST(CollectFont, UnreadableOrEmptyFontAppendsZero)
{
    vx::test::TempDir folder;
    vx::test::writeFile(folder / "empty.ttf", "");

    Compile compile;
    DFontFileDescriptor noPath;
    EXPECT_EQ(compile.font(folder / "missing.ttf"), 0u);
    EXPECT_EQ(compile.font(folder / "empty.ttf"), 0u);
    EXPECT_EQ(compile.font(folder.path()), 0u);
    EXPECT_EQ(CSelectable::CollectFont(compile.riff, compile.resources, static_cast<const DFontFileDescriptor*>(nullptr)),
              0u);
    EXPECT_EQ(CSelectable::CollectFont(compile.riff, compile.resources, &noPath), 0u);
    const uint32_t font = compile.font(kDejaVuSans);
    EXPECT_NE(font, 0u);
    EXPECT_EQ(std::vector<uint32_t>(compile.resources.Entries().begin(), compile.resources.Entries().end()),
              (std::vector<uint32_t>{0, 0, 0, 0, 0, font}));
    EXPECT_EQ(countChunks(compile.finish(), target::kChunkFont), 1u);
}

TEST(CResourceIndex, ImagesAndFontsWithEqualCrcStayApart)
{
    CResourceIndex resources;
    resources.Begin(32, 0);
    int writes = 0;
    const uint32_t image = resources.AppendContent(CResourceIndex::Content::Image, 0x1234, [&] { ++writes; return uint64_t(100); });
    const uint32_t font = resources.AppendContent(CResourceIndex::Content::Font, 0x1234, [&] { ++writes; return uint64_t(200); });
    const uint32_t again = resources.AppendContent(CResourceIndex::Content::Image, 0x1234, [&] { ++writes; return uint64_t(300); });
    EXPECT_EQ(image, 100u);
    EXPECT_EQ(font, 200u);
    EXPECT_EQ(again, 100u);
    EXPECT_EQ(writes, 2);
    // An offset a resource word cannot hold refers to nothing and is not remembered.
    EXPECT_EQ(resources.AppendContent(CResourceIndex::Content::Image, 0x99, [] { return uint64_t(1) << 33; }), 0u);
    EXPECT_EQ(resources.AppendContent(CResourceIndex::Content::Image, 0x99, [] { return uint64_t(400); }), 400u);
}

} // namespace

namespace {

// Two contents of one CRC are two chunks: only equal bytes of equal length share one.
TEST(CResourceIndex, EqualCrcWithOtherBytesIsWrittenAgain)
{
    CResourceIndex resources;
    resources.Begin(32, 0);
    const std::vector<uint8_t> first{1, 2, 3, 4};
    const std::vector<uint8_t> other{4, 3, 2, 1};
    const std::vector<uint8_t> longer{1, 2, 3, 4, 0, 0, 0, 0};
    uint64_t next = 100;
    int writes = 0;
    const auto write = [&] { ++writes; return next += 100; };
    const uint32_t a = resources.AppendContent(CResourceIndex::Content::Image, 7, first, write);
    const uint32_t b = resources.AppendContent(CResourceIndex::Content::Image, 7, other, write);
    const uint32_t c = resources.AppendContent(CResourceIndex::Content::Image, 7, longer, write);
    const uint32_t again = resources.AppendContent(CResourceIndex::Content::Image, 7, first, write);
    const uint32_t otherAgain = resources.AppendContent(CResourceIndex::Content::Image, 7, other, write);
    EXPECT_EQ(writes, 3);
    EXPECT_NE(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(again, a);
    EXPECT_EQ(otherAgain, b);
    EXPECT_EQ(resources.WrittenCount(), 3u);
}

} // namespace

namespace {

// Larger than the engine can hold: no chunk, an empty entry.
TEST(CollectImage, PictureOverSixteenThousandPixelsASideIsNotMade)
{
    EXPECT_TRUE(TargetPicture::Fits(16384, 4096));
    EXPECT_FALSE(TargetPicture::Fits(16384, 4097));   // past 256 MiB
    EXPECT_FALSE(TargetPicture::Fits(16385, 1));
    EXPECT_FALSE(TargetPicture::Fits(0, 10));
    CCachedImage wide;
    paint(wide, 16385, 1, [](int, int) { return flat(255, 1, 2, 3); });
    Compile compile;
    EXPECT_EQ(compile.image(&wide), 0u);
    EXPECT_EQ(compile.resources.WrittenCount(), 0u);
}

} // namespace
