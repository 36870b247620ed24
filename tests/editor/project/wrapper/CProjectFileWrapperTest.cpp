#include <gtest/gtest.h>

#include <functional>
#include <zlib.h>

#include "editor/project/wrapper/CProjectFileWrapper.h"

namespace {

using namespace CProjectFileWrapper;

const std::string kXml =
    "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n<project formatVersion=\"2\">\n\t<page/>\n</project>\n";

void putWord(std::vector<uint8_t>& file, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        file[at + std::size_t(i)] = uint8_t(value >> (8 * i));
}

TEST(CProjectFileWrapper, WritesTheHeaderAndAZlibBodyThatReadsBack)
{
    const std::vector<uint8_t> file = Encode(kXml);
    ASSERT_GT(file.size(), kHeaderSize);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "VXPR");
    EXPECT_EQ(file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24, kXml.size());
    // The check value is crc32 from 170 over the body, as any zlib user can make it.
    const uint32_t expected = uint32_t(crc32(170, file.data() + kHeaderSize, uInt(file.size() - kHeaderSize)));
    EXPECT_EQ(file[8] | file[9] << 8 | file[10] << 16 | uint32_t(file[11]) << 24, expected);
    // A zlib stream, not raw deflate: the first byte names deflate with a 32K window.
    EXPECT_EQ(file[kHeaderSize], 0x78);

    const ReadResult read = Decode(file);
    ASSERT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.xml, kXml);
}

TEST(CProjectFileWrapper, NothingIsMadeOfAnEmptyText)
{
    EXPECT_TRUE(Encode("").empty());
}

struct CorruptCase {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> spoil;
    ReadStatus status;
};

class CorruptProjectFile : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptProjectFile, LoadsNothing)
{
    std::vector<uint8_t> file = Encode(kXml);
    GetParam().spoil(file);
    const ReadResult read = Decode(file);
    EXPECT_EQ(read.status, GetParam().status);
    EXPECT_TRUE(read.xml.empty());
}

// The body's check value made again, so only the damage under test is seen.
void recheck(std::vector<uint8_t>& file)
{
    putWord(file, 8, CheckValue(std::span(file).subspan(kHeaderSize)));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, CorruptProjectFile,
    ::testing::Values(
        CorruptCase{"Empty", [](auto& f) { f.clear(); }, ReadStatus::NotAProject},
        CorruptCase{"ShorterThanTheHeader", [](auto& f) { f.resize(11); }, ReadStatus::NotAProject},
        CorruptCase{"OtherMagic", [](auto& f) { f[3] = 'X'; }, ReadStatus::NotAProject},
        CorruptCase{"CheckFromZero",
                    [](auto& f) { putWord(f, 8, uint32_t(crc32(0, f.data() + kHeaderSize, uInt(f.size() - kHeaderSize)))); },
                    ReadStatus::CheckMismatch},
        CorruptCase{"BodyByteChanged", [](auto& f) { f[kHeaderSize + 3] ^= 0x40; }, ReadStatus::CheckMismatch},
        CorruptCase{"AbsurdLength", [](auto& f) { putWord(f, 4, 0xFFFFFFF0u); }, ReadStatus::AbsurdLength},
        CorruptCase{"LengthShorterThanTheText", [](auto& f) { putWord(f, 4, uint32_t(kXml.size() - 1)); },
                    ReadStatus::Incomplete},
        CorruptCase{"BodyCutShort",
                    [](auto& f) {
                        f.resize(f.size() - 4);
                        recheck(f);
                    },
                    ReadStatus::Incomplete},
        // No body can inflate into a hundred bytes.
        CorruptCase{"HeaderOnly",
                    [](auto& f) {
                        f.resize(kHeaderSize);
                        recheck(f);
                    },
                    ReadStatus::AbsurdLength}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CProjectFileWrapper, AStoredLengthBeyondTheTextIsRoomToSpareAndTheTextOpensWhole)
{
    for (const uint32_t spare : {1u, 1000u}) {
        std::vector<uint8_t> file = Encode(kXml);
        putWord(file, 4, uint32_t(kXml.size() + spare));
        const ReadResult read = Decode(file);
        EXPECT_EQ(read.status, ReadStatus::Ok) << spare;
        EXPECT_EQ(read.xml, kXml) << spare;
    }
}

TEST(CProjectFileWrapper, OnlyAnIncompleteBodyShowsTheParseMessage)
{
    EXPECT_TRUE(ShowsParseMessage(ReadStatus::Incomplete));
    for (const ReadStatus silent : {ReadStatus::NotAProject, ReadStatus::CheckMismatch, ReadStatus::AbsurdLength})
        EXPECT_FALSE(ShowsParseMessage(silent));
}

} // namespace
