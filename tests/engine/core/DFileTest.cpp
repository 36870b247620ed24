#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "engine/core/DFile_Memory.h"
#include "engine/core/DStatus.h"
#include "engine/posix/DFile_posix.h"
#include "foundation/TextHelpers.h"
#include "tests/support/TestEnvironment.h"

namespace {

std::vector<uint8_t> bytes(std::size_t count)
{
    std::vector<uint8_t> data(count);
    std::iota(data.begin(), data.end(), uint8_t(0));
    return data;
}

// The same checks run over the memory file and the file on disk.
class FileTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        const auto data = bytes(64);
        if (GetParam()) {
            const auto path = m_dir / "data.bin";
            vx::test::writeFile(path, std::string(data.begin(), data.end()));
            m_file = std::make_unique<DFile_posix>();
            ASSERT_EQ(m_file->open(DString(utf8ToWide(path.string()))), DStatus::Ok);
        } else {
            m_file = std::make_unique<DFile_Memory>(data);
            ASSERT_EQ(m_file->open(DString(u"memory")), DStatus::Ok);
        }
    }

    vx::test::TempDir m_dir;
    std::unique_ptr<DFile> m_file;
};

} // namespace

TEST_P(FileTest, ReadsSkipToAMultipleOfFour)
{
    uint8_t buffer[8]{};
    ASSERT_EQ(m_file->read(buffer, 6), DStatus::Ok);
    EXPECT_EQ(buffer[5], 5);
    EXPECT_EQ(m_file->tell(), 8u);
    uint32_t word = 0;
    ASSERT_EQ(readWord(*m_file, word), DStatus::Ok);
    EXPECT_EQ(word, 0x0B0A0908u);
    ASSERT_EQ(m_file->seek(-4, DFile::FromCurrent), DStatus::Ok);
    EXPECT_EQ(m_file->tell(), 8u);
}

TEST_P(FileTest, LimitsRefuseReadsThatCrossThem)
{
    ASSERT_EQ(m_file->seek(16, DFile::FromStart), DStatus::Ok);
    ASSERT_TRUE(m_file->pushLimit(24));
    uint8_t buffer[16]{};
    EXPECT_EQ(m_file->read(buffer, 12), DStatus::BeyondLimit);
    EXPECT_EQ(m_file->tell(), 16u); // nothing read
    EXPECT_EQ(m_file->read(buffer, 8), DStatus::Ok);
    EXPECT_EQ(m_file->read(buffer, 1), DStatus::BeyondLimit);

    // A pushed limit never reaches past the one below it.
    ASSERT_TRUE(m_file->pushLimit(60));
    EXPECT_EQ(m_file->currentLimit(), 24u);
    m_file->popLimit();
    m_file->popLimit();
    EXPECT_EQ(m_file->read(buffer, 16), DStatus::Ok);
}

TEST_P(FileTest, LimitStackHoldsFive)
{
    for (int i = 0; i < DFile::kMaxLimits; ++i)
        ASSERT_TRUE(m_file->pushLimit(64 - i));
    EXPECT_FALSE(m_file->pushLimit(10));
    EXPECT_EQ(m_file->currentLimit(), 60u);
    EXPECT_EQ(m_file->limitDepth(), 5);
}

TEST_P(FileTest, HugeCountsAndShortReadsFail)
{
    uint8_t buffer[8]{};
    ASSERT_TRUE(m_file->pushLimit(0xFFFFFFF0u));
    ASSERT_EQ(m_file->seek(0x20, DFile::FromStart), DStatus::Ok);
    // position + count computed in 64 bits: no wrap past the limit
    EXPECT_EQ(m_file->read(buffer, 0xFFFFFFFFu), DStatus::BeyondLimit);
    m_file->popLimit();
    ASSERT_EQ(m_file->seek(60, DFile::FromStart), DStatus::Ok);
    EXPECT_EQ(m_file->read(buffer, 8), DStatus::Failed);
    EXPECT_EQ(m_file->seek(-1, DFile::FromStart), DStatus::Failed);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndDisk, FileTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "Disk" : "Memory"; });

TEST(DFile_posix, MissingFilesAndFoldersDoNotOpen)
{
    vx::test::TempDir dir;
    DFile_posix file;
    EXPECT_EQ(file.open(DString(utf8ToWide((dir / "none.ddd").string()))), DStatus::Failed);
    EXPECT_EQ(file.open(DString(utf8ToWide(dir.path().string()))), DStatus::Failed);
    EXPECT_FALSE(file.isOpen());
    uint8_t buffer[4];
    EXPECT_EQ(file.read(buffer, 4), DStatus::Failed);
}
