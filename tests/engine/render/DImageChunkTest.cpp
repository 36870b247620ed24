// Image chunks as the engine reads them: every kind the writer makes draws its colour
// plane; a damaged chunk gives no bitmap and nothing is read past it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "engine/render/DBitmap.h"
#include "engine/core/DFile_Memory.h"
#include "engine/render/DRendererBitmap.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetImage.h"

using namespace target;

namespace {

constexpr uint32_t kWidth = 16, kHeight = 8;

// Stripes that LZO can shrink, different in every row, so a row out of place shows.
std::vector<uint8_t> colourPlane()
{
    std::vector<uint8_t> bytes(kWidth * kHeight * ImageChunkHeader::kBytesPerPixel);
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x)
            storeWord(bytes, (y * kWidth + x) * 4, 0xFF000000u | (y * 0x102030u) | (x % 4 == 0 ? 0x80u : 0u));
    return bytes;
}

struct WrittenChunk {
    std::vector<uint8_t> bytes;
    uint32_t offset = 0;
};

// One image chunk inside a file's outermost chunk.
WrittenChunk writeChunk(ImageCompression compression, bool withAlpha)
{
    static const std::vector<uint8_t> pixels = colourPlane();
    static const std::vector<uint8_t> alpha(kWidth * kHeight, 0x80);
    TargetImage image{kWidth, kHeight, kWidth * 4, kPixelFormat32, pixels, 0, {}};
    if (withAlpha) {
        image.alphaPitch = kWidth;
        image.alpha = alpha;
    }
    DMemoryStream stream;
    DRIFFFile riff(stream, kChunkRiff, kFormProject);
    const uint32_t offset = uint32_t(writeImageChunk(riff, image, compression));
    riff.close();
    return {stream.take(), offset};
}

std::unique_ptr<DBitmap> read(const std::vector<uint8_t>& bytes, uint32_t offset)
{
    DFile_Memory file(bytes);
    EXPECT_EQ(file.open(DString(u"image.ddd")), 0);
    return DImageCache::readImageChunk(file, offset);
}

uint32_t pixelAt(const DBitmap& bitmap, uint32_t x, uint32_t y)
{
    return reinterpret_cast<const uint32_t*>(bitmap.row(int(y)))[x];
}

uint32_t wordAt(const WrittenChunk& chunk, uint32_t field)
{
    return loadWord(chunk.bytes, chunk.offset + field);
}

void setWord(WrittenChunk& chunk, uint32_t field, uint32_t value)
{
    storeWord(chunk.bytes, chunk.offset + field, value);
}

constexpr uint32_t kImageField = ChunkHeader::kSize;

} // namespace

TEST(DImageChunk, EveryKindTheWriterMakesDrawsItsColourPlane)
{
    struct Case {
        ImageCompression compression;
        bool alpha;
    };
    for (const Case c : {Case{ImageCompression::None, false}, Case{ImageCompression::None, true},
                         Case{ImageCompression::Lzo, false}, Case{ImageCompression::Lzo, true}}) {
        const WrittenChunk chunk = writeChunk(c.compression, c.alpha);
        const uint32_t id = wordAt(chunk, ChunkHeader::kIdentifierOffset);
        SCOPED_TRACE(std::string(reinterpret_cast<const char*>(&id), 4));
        EXPECT_EQ(imageChunkHasAlphaPlane(id), c.alpha);
        EXPECT_EQ(imageChunkCompressed(id), c.compression == ImageCompression::Lzo);
        const std::unique_ptr<DBitmap> bitmap = read(chunk.bytes, chunk.offset);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->size(), (DSize{int32_t(kWidth), int32_t(kHeight)}));
        const std::vector<uint8_t> expected = colourPlane();
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x)
                EXPECT_EQ(pixelAt(*bitmap, x, y), loadWord(expected, (y * kWidth + x) * 4)) << x << "," << y;
    }
}

TEST(DImageChunk, DamagedChunksGiveNoBitmap)
{
    using Damage = std::function<void(WrittenChunk&)>;
    struct Case {
        const char* what;
        ImageCompression compression;
        Damage damage;
    };
    const auto field = [](uint32_t offset, uint32_t value) {
        return [=](WrittenChunk& chunk) { setWord(chunk, offset, value); };
    };
    const Case cases[] = {
        {"not an image chunk id", ImageCompression::Lzo, field(ChunkHeader::kIdentifierOffset, fourCC("page"))},
        {"width 0", ImageCompression::Lzo, field(kImageField + ImageChunkHeader::kWidthOffset, 0)},
        {"height 0", ImageCompression::None, field(kImageField + ImageChunkHeader::kHeightOffset, 0)},
        {"rows narrower than the pixels", ImageCompression::None,
         field(kImageField + ImageChunkHeader::kPitchOffset, kWidth * 4 - 4)},
        {"a plane of gigabytes", ImageCompression::Lzo,
         [](WrittenChunk& chunk) {
             setWord(chunk, kImageField + ImageChunkHeader::kWidthOffset, 0x4000);
             setWord(chunk, kImageField + ImageChunkHeader::kPitchOffset, 0x10000);
             setWord(chunk, kImageField + ImageChunkHeader::kHeightOffset, 0x10000);
         }},
        {"stored bytes past the chunk", ImageCompression::None,
         [](WrittenChunk& chunk) {
             const uint32_t count = wordAt(chunk, kImageField + ImageChunkHeader::kByteCountOffset);
             setWord(chunk, kImageField + ImageChunkHeader::kByteCountOffset, count + 0x1000);
         }},
        {"stored bytes 0", ImageCompression::Lzo, field(kImageField + ImageChunkHeader::kByteCountOffset, 0)},
        {"raw plane shorter than the pixels", ImageCompression::None,
         [](WrittenChunk& chunk) {
             const uint32_t count = wordAt(chunk, kImageField + ImageChunkHeader::kByteCountOffset);
             setWord(chunk, kImageField + ImageChunkHeader::kByteCountOffset, count - 4);
         }},
        {"LZO stream cut short", ImageCompression::Lzo,
         [](WrittenChunk& chunk) {
             const uint32_t count = wordAt(chunk, kImageField + ImageChunkHeader::kByteCountOffset);
             setWord(chunk, kImageField + ImageChunkHeader::kByteCountOffset, count / 2);
         }},
        {"LZO stream overwritten", ImageCompression::Lzo,
         [](WrittenChunk& chunk) {
             const uint32_t count = wordAt(chunk, kImageField + ImageChunkHeader::kByteCountOffset);
             const uint32_t start = chunk.offset + kImageField + ImageChunkHeader::kSize;
             for (uint32_t i = 0; i < count; ++i)
                 chunk.bytes[start + i] = uint8_t(0xF1 + i);
         }},
        {"file ends inside the header", ImageCompression::Lzo,
         [](WrittenChunk& chunk) { chunk.bytes.resize(chunk.offset + kImageField + 6); }},
        {"offset past the end of the file", ImageCompression::Lzo,
         [](WrittenChunk& chunk) { chunk.offset = uint32_t(chunk.bytes.size()) + 64; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrittenChunk chunk = writeChunk(c.compression, false);
        ASSERT_NE(read(chunk.bytes, chunk.offset), nullptr); // sound before the damage
        c.damage(chunk);
        testing::internal::CaptureStdout();
        EXPECT_EQ(read(chunk.bytes, chunk.offset), nullptr);
        testing::internal::GetCapturedStdout();
    }
}
