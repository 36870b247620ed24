#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"

namespace {

constexpr uint32_t id(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) | uint32_t(uint8_t(text[1])) << 8 | uint32_t(uint8_t(text[2])) << 16
        | uint32_t(uint8_t(text[3])) << 24;
}

// A little reader of its own, so the writer is not checked against itself.
uint32_t word(const std::vector<uint8_t>& bytes, std::size_t at)
{
    return uint32_t(bytes.at(at)) | uint32_t(bytes.at(at + 1)) << 8 | uint32_t(bytes.at(at + 2)) << 16
        | uint32_t(bytes.at(at + 3)) << 24;
}

uint32_t bitwiseCrc(const std::vector<uint8_t>& bytes, std::size_t from, std::size_t to)
{
    uint32_t value = 0;
    for (std::size_t i = from; i < to; ++i) {
        value ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
    }
    return value;
}

struct Chunk {
    uint32_t identifier, size, third;
    std::size_t start;
    bool crcMatches;
};

Chunk chunkAt(const std::vector<uint8_t>& bytes, std::size_t at)
{
    Chunk chunk{word(bytes, at), word(bytes, at + 4), word(bytes, at + 8), at, false};
    chunk.crcMatches = chunk.third == bitwiseCrc(bytes, at + 12, at + 8 + chunk.size);
    return chunk;
}

constexpr uint32_t kForm = id("DPrj");

} // namespace

TEST(DRIFFFile, EmptyChunkIsTwelveBytesWithSizeFourAndCrcZero)
{
    DMemoryStream stream;
    DRIFFFile root(stream, id("RIFF"), kForm);
    DRIFFFile empty(root, id("page"));
    EXPECT_EQ(empty.close(), 12u);
    EXPECT_EQ(root.close(), 0u);

    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(word(bytes, 0), id("RIFF"));
    EXPECT_EQ(word(bytes, 4), 16u);   // file length - 8
    EXPECT_EQ(word(bytes, 8), kForm);
    const Chunk page = chunkAt(bytes, 12);
    EXPECT_EQ(page.identifier, id("page"));
    EXPECT_EQ(page.size, 4u);
    EXPECT_EQ(page.third, 0u);
}

TEST(DRIFFFile, WritesArePaddedCountedAndCoveredByTheCrc)
{
    DMemoryStream stream;
    DRIFFFile root(stream, id("RIFF"), kForm);
    DRIFFFile chunk(root, id("font"));
    const char five[] = "abcde";
    chunk.write(five, 5);
    EXPECT_EQ(chunk.count(), 12u + 8u);
    chunk.close();
    root.close();

    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    const Chunk font = chunkAt(bytes, 12);
    EXPECT_EQ(font.size, 12u);
    EXPECT_EQ(std::string(bytes.begin() + 24, bytes.begin() + 32), std::string("abcde\0\0\0", 8));
    EXPECT_TRUE(font.crcMatches);
}

TEST(DRIFFFile, NestedChunksPatchSizesAndCrcsAtEveryLevel)
{
    DMemoryStream stream;
    DRIFFFile root(stream, id("RIFF"), kForm);
    DRIFFFile parent(root, id("proj"));
    DRIFFFile child(parent, id("page"));
    child.writeInt(0x11223344u);
    // Two levels below the root: its bytes reach the root's stream too.
    DRIFFFile grandchild(child, id("iraw"));
    grandchild.writeInt(0xA5A5A5A5u);
    EXPECT_EQ(grandchild.close(), 12u + 12u + 16u);
    EXPECT_EQ(child.close(), 24u);
    EXPECT_EQ(parent.close(), 12u);
    root.close();
    ASSERT_FALSE(root.failed());

    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    ASSERT_EQ(bytes.size(), 12u + 12u + 16u + 16u);
    EXPECT_EQ(word(bytes, 4), bytes.size() - 8);
    const Chunk proj = chunkAt(bytes, 12), page = chunkAt(bytes, 24), image = chunkAt(bytes, 40);
    EXPECT_EQ(image.identifier, id("iraw"));
    EXPECT_EQ(image.size, 8u);
    EXPECT_EQ(word(bytes, 52), 0xA5A5A5A5u);
    EXPECT_EQ(page.size, 4u + 4u + 16u);
    EXPECT_EQ(proj.size, 4u + 12u + 4u + 16u);
    EXPECT_TRUE(image.crcMatches);
    EXPECT_TRUE(page.crcMatches);
    EXPECT_TRUE(proj.crcMatches);   // covers the children's patched headers
}

TEST(DRIFFFile, OneChildOfFourBytes)
{
    DMemoryStream stream;
    DRIFFFile root(stream, id("RIFF"), kForm);
    DRIFFFile parent(root, id("proj"));
    DRIFFFile child(parent, id("page"));
    child.writeInt(7);
    child.close();
    parent.close();
    root.close();
    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    EXPECT_EQ(chunkAt(bytes, 24).size, 8u);
    EXPECT_EQ(chunkAt(bytes, 12).size, 20u);
    EXPECT_TRUE(chunkAt(bytes, 12).crcMatches);
}

TEST(DRIFFFile, LargeBodyIsReadBackInBlocksWithTheSameCrc)
{
    DMemoryStream stream;
    DRIFFFile root(stream, id("RIFF"), kForm);
    DRIFFFile chunk(root, id("ilzo"));
    std::vector<uint8_t> body(300001);
    for (std::size_t i = 0; i < body.size(); ++i)
        body[i] = uint8_t(i * 31 + (i >> 9));
    chunk.write(body.data(), body.size());
    chunk.close();
    root.close();
    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    const Chunk image = chunkAt(bytes, 12);
    EXPECT_EQ(image.size, 4u + 300004u);
    EXPECT_TRUE(image.crcMatches);
}

TEST(DRIFFFile, PatchValueOverwritesWithoutCountingAndComesBack)
{
    DMemoryStream stream;
    DRIFFFile root(stream, id("RIFF"), kForm);
    DRIFFFile chunk(root, id("page"));
    const uint64_t placeholder = chunk.tell();
    chunk.writeInt(0);
    chunk.writeInt(2);
    chunk.patchValue(placeholder, 0xCAFEu);
    EXPECT_EQ(chunk.count(), 20u);
    EXPECT_EQ(chunk.tell(), 32u);
    chunk.close();
    root.close();
    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    EXPECT_EQ(word(bytes, 24), 0xCAFEu);
    EXPECT_EQ(word(bytes, 28), 2u);
    EXPECT_TRUE(chunkAt(bytes, 12).crcMatches);
}

TEST(DRIFFFile, WriteColorExchangesRedAndBlue)
{
    struct Case {
        uint32_t value;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {0x80FF0000u, {0xFF, 0x00, 0x00, 0x80}},
        {0xAA112233u, {0x11, 0x22, 0x33, 0xAA}},   // 0xAARRGGBB is stored as RR GG BB AA
        {0xFF0000FFu, {0x00, 0x00, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        DMemoryStream stream;
        DRIFFFile root(stream, id("RIFF"), kForm);
        root.writeColor(c.value);
        root.close();
        const std::vector<uint8_t> bytes(stream.bytes().begin() + 12, stream.bytes().end());
        EXPECT_EQ(bytes, c.bytes) << std::hex << c.value;
        // The formula: (v & 0xFF00FF00) | (v & 0xFF) << 16 | (v >> 16) & 0xFF.
        const uint32_t v = c.value;
        EXPECT_EQ(word(bytes, 0), (v & 0xFF00FF00u) | (v & 0xFFu) << 16 | ((v >> 16) & 0xFFu));
    }
}

TEST(DRIFFFile, OutermostChunkAfterOtherBytesPatchesItsOwnHeader)
{
    DMemoryStream stream;
    ASSERT_TRUE(stream.write("HEAD", 4));
    DRIFFFile root(stream, id("RIFF"), kForm);
    root.writeInt(1);
    EXPECT_EQ(root.close(), 4u);
    const std::vector<uint8_t> bytes(stream.bytes().begin(), stream.bytes().end());
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "HEAD");
    EXPECT_EQ(word(bytes, 8), 8u);
    EXPECT_EQ(word(bytes, 12), kForm);
}
