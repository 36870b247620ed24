// A small project compiled and saved, then read back by a reader of its own that knows
// the file only as the format describes it: chunk framing, CRCs, padding, the project
// header and page table, each page's header, background record and action block, and
// the LZO-compressed picture the pages share.

#include <gtest/gtest.h>

#include <lzo/lzo1x.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "editor/project/compile/CTargetDriver.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ProjectHarness.h"

namespace {

using vx::test::ProjectHarness;
using vx::test::SetValue;

// The reader: 32-bit little-endian words, chunks of id, size and CRC.
class IndependentReader {
public:
    explicit IndependentReader(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::size_t size() const { return m_bytes.size(); }
    uint32_t word(std::size_t at) const
    {
        if (at + 4 > m_bytes.size())
            throw std::out_of_range("word past the end");
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | uint8_t(m_bytes[at + std::size_t(i)]);
        return value;
    }
    std::string id(std::size_t at) const { return m_bytes.substr(at, 4); }
    const std::string& bytes() const { return m_bytes; }

    // Reflected 0xEDB88320 from 0, no final complement.
    static uint32_t crc(std::string_view data)
    {
        uint32_t crc = 0;
        for (const char byte : data) {
            crc ^= uint8_t(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
        return crc;
    }

    struct Chunk {
        std::string id;
        std::size_t offset;   // of its id
        uint32_t size;
        uint32_t storedCrc;
        std::size_t data() const { return offset + 12; }
        std::size_t end() const { return offset + 8 + size; }
    };

    // The chunks inside "RIFF", in file order.
    std::vector<Chunk> chunks() const
    {
        std::vector<Chunk> found;
        for (std::size_t at = 12; at + 12 <= m_bytes.size();) {
            Chunk chunk{id(at), at, word(at + 4), word(at + 8)};
            found.push_back(chunk);
            at = chunk.end();
        }
        return found;
    }

private:
    std::string m_bytes;
};

constexpr int kWidth = 320;
constexpr int kHeight = 240;

struct Golden : ::testing::Test {
    void SetUp() override
    {
        std::filesystem::copy_file(vx::test::fixturePath("images/rgba.png"), folder / "back.png");
        CProject& project = *harness.project;
        CProjectSettings& settings = project.Settings();
        settings.target.pageSize = u"320x240";
        settings.password = u"secret12";
        settings.holdFirst = 700;
        settings.SSstart = 2;
        settings.layerHorzPosition = 5;
        settings.layerVertPosition = 6;
        project.SettingsChanged();
        project.SetPath(folder / "golden.vxp");

        CPage& main = project.AddPage();
        main.SetName(u"Main");
        main.SetOriginalName(u"Main");
        main.SetBackgroundImage(u"back.png");
        SetValue(main, u"Behavior", u"_Action script",
                 u"[{\"command\":\"Go to page X\",\"params\":\"Settings\",\"trigger\":\"On entering page\","
                 u"\"triggerParams\":\"\"}]");
        CPage& settingsPage = project.AddPage(int32_t(target::PageType::Initial));
        settingsPage.SetName(u"Settings");
        settingsPage.SetOriginalName(u"Settings");
        settingsPage.SetBackgroundColor(0x0000FF);   // red, stored with red in the low byte
        CPage& popup = project.AddPage(int32_t(target::PageType::Dialog));
        popup.SetBackgroundImage(u"back.png");
        CPage& other = project.AddPage();
        other.SetBackgroundImage(u"back.png");
    }

    IndependentReader Save()
    {
        CTargetDriver driver(*harness.project);
        EXPECT_TRUE(driver.SaveTargetBinary(folder / "golden.ddd"));
        return IndependentReader(vx::test::readFile(folder / "golden.ddd"));
    }

    vx::test::TempDir folder;
    ProjectHarness harness;
};

TEST_F(Golden, ChunksAreFramedPaddedAndCheckedInTheirOrder)
{
    const IndependentReader file = Save();
    ASSERT_GE(file.size(), 12u);
    EXPECT_EQ(file.id(0), "RIFF");
    EXPECT_EQ(file.word(4), file.size() - 8);
    EXPECT_EQ(file.id(8), "DPrj");
    EXPECT_EQ(file.size() % 4, 0u);

    const std::vector<IndependentReader::Chunk> chunks = file.chunks();
    std::vector<std::string> ids;
    for (const auto& chunk : chunks) {
        ids.push_back(chunk.id);
        EXPECT_EQ(chunk.size % 4, 0u) << chunk.id;
        EXPECT_LE(chunk.end(), file.size()) << chunk.id;
        EXPECT_EQ(chunk.storedCrc, IndependentReader::crc(std::string_view(file.bytes()).substr(
                                       chunk.data(), chunk.size - 4)))
            << chunk.id << " at " << chunk.offset;
    }
    // The picture once, before the first page that needs it; the dialog page and the
    // last page need no chunk of their own.
    EXPECT_EQ(ids, (std::vector<std::string>{"proj", "ilzo", "page", "page", "page", "page"}));
    EXPECT_EQ(chunks.back().end(), file.size());
}

TEST_F(Golden, ProjectHeaderAndPageTable)
{
    const IndependentReader file = Save();
    const auto chunks = file.chunks();
    const std::size_t h = chunks.at(0).data();
    EXPECT_EQ(file.id(h), "CrVn");
    EXPECT_EQ(file.word(h + 8), uint32_t(kWidth * kHeight * 4));
    EXPECT_EQ(file.word(h + 12), 60u);
    EXPECT_EQ(file.word(h + 16), uint32_t(kWidth));
    EXPECT_EQ(file.word(h + 20), uint32_t(kHeight));
    EXPECT_EQ(file.word(h + 24), 0x61820u);
    EXPECT_EQ(file.word(h + 28), 1u);
    EXPECT_EQ(file.word(h + 32), 1u);   // layer visible
    EXPECT_EQ(file.word(h + 36), 5u);
    EXPECT_EQ(file.word(h + 40), 6u);
    EXPECT_EQ(file.word(h + 48), 0u);   // no Global page
    // "secre" in UTF-16, the rest of the 12 bytes zero.
    EXPECT_EQ(file.bytes().substr(h + 52, 12), std::string("s\0e\0c\0r\0e\0\0\0", 12));
    EXPECT_EQ(file.word(h + 64), 700u);
    EXPECT_EQ(file.word(h + 68), 300u);
    EXPECT_EQ(file.word(h + 72), 0xFFFFFFFFu);   // no ScreenSaver page
    EXPECT_EQ(file.word(h + 76), 2000u);
    for (std::size_t reserved = 80; reserved < 160; reserved += 4)
        EXPECT_EQ(file.word(h + reserved), 0u);
    EXPECT_EQ(file.word(h + 160), 1u);   // the Initial page
    EXPECT_EQ(file.word(h + 164), 4u);
    EXPECT_EQ(file.word(h + 168), h + 176);
    EXPECT_EQ(file.word(h + 172), 1043u);
    std::vector<uint32_t> pages;
    for (const auto& chunk : chunks)
        if (chunk.id == "page")
            pages.push_back(uint32_t(chunk.offset));
    for (std::size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(file.word(h + 176 + 4 * i), pages[i]);
    EXPECT_EQ(chunks.at(0).end(), h + 176 + 16);
}

TEST_F(Golden, PicturesAreLzoCompressedAndSharedByContent)
{
    const IndependentReader file = Save();
    const auto chunks = file.chunks();
    const auto& picture = chunks.at(1);
    const std::size_t d = picture.data();
    EXPECT_EQ(file.word(d), uint32_t(kWidth));
    EXPECT_EQ(file.word(d + 4), uint32_t(kHeight));
    EXPECT_EQ(file.word(d + 8), uint32_t(kWidth * 4));
    EXPECT_EQ(file.word(d + 12), 0x61820u);
    const uint32_t stored = file.word(d + 16);
    EXPECT_LT(stored, uint32_t(kWidth * kHeight * 4));
    // The stored bytes and their padding fill the chunk.
    EXPECT_EQ(picture.end(), d + 20 + ((stored + 3) & ~3u));
    ASSERT_EQ(lzo_init(), LZO_E_OK);
    std::vector<unsigned char> pixels(std::size_t(kWidth * kHeight * 4));
    lzo_uint produced = pixels.size();
    ASSERT_EQ(lzo1x_decompress_safe(reinterpret_cast<const unsigned char*>(file.bytes().data() + d + 20), stored,
                                    pixels.data(), &produced, nullptr),
              LZO_E_OK);
    EXPECT_EQ(produced, pixels.size());

    // Main and the last page refer to the one picture; the dialog page to none.
    const auto classWordOfBackground = [&](const IndependentReader::Chunk& page) {
        std::size_t record = file.word(page.data() + 24);
        for (uint32_t i = 1; i < file.word(page.data() + 4); ++i)
            record += file.word(record);
        return std::make_pair(file.word(record + 8), file.word(record + 32));
    };
    EXPECT_EQ(classWordOfBackground(chunks.at(2)), std::make_pair(1u, uint32_t(picture.offset)));
    EXPECT_EQ(classWordOfBackground(chunks.at(4)), std::make_pair(26u, 0u));
    EXPECT_EQ(classWordOfBackground(chunks.at(5)), std::make_pair(1u, uint32_t(picture.offset)));
}

TEST_F(Golden, PageRecordsAndActionBlocks)
{
    const IndependentReader file = Save();
    const auto chunks = file.chunks();

    // Main: no objects, so its only record is the background record with the page script.
    const std::size_t main = chunks.at(2).data();
    EXPECT_EQ(file.word(main), 1u);          // Normal
    EXPECT_EQ(file.word(main + 4), 1u);      // the background record
    EXPECT_EQ(file.word(main + 8), 1u);      // one element
    EXPECT_EQ(file.word(main + 12), 0xFFFFFFFFu);
    EXPECT_EQ(file.word(main + 24), main + 28);
    const std::size_t record = main + 28;
    const std::vector<uint32_t> expected{
        92, 68, 1, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,   // header
        uint32_t(chunks.at(1).offset),                                   // the picture
        32, 3, 0, 0, kWidth - 1, kHeight - 1, 11, 0,                     // unscaled bitmap, opaque
        1, 10, 1, 3, 4, 1,                                               // On entering page: Go to page 1
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(file.word(record + 4 * i), expected[i]) << "word " << i;
    EXPECT_EQ(chunks.at(2).end(), record + 92);

    // Settings: its colour in ARGB with red on bits 16-23, premultiplied by the default flags.
    const std::size_t settings = chunks.at(3).data();
    EXPECT_EQ(file.word(settings), 2u);
    const std::size_t background = settings + 28;
    EXPECT_EQ(file.word(background), 72u);
    EXPECT_EQ(file.word(background + 8), 26u);
    EXPECT_EQ(file.word(background + 32), 0xFFFE0000u);
    EXPECT_EQ(file.word(background + 40), 2u);    // solid rectangle
    EXPECT_EQ(file.word(background + 68), 0u);    // no actions

    // The dialog: a placeholder element of size 0, which the element count leaves out.
    const std::size_t popup = chunks.at(4).data();
    EXPECT_EQ(file.word(popup), 5u);
    EXPECT_EQ(file.word(popup + 8), 0u);
    EXPECT_EQ(file.word(popup + 28 + 36), 0u);
    EXPECT_EQ(file.word(popup + 28 + 40), 6u);
}

TEST_F(Golden, SavingTwiceWithoutAChangeCompilesOnceAndWritesTheSameBytes)
{
    CTargetDriver driver(*harness.project);
    ASSERT_TRUE(driver.SaveTargetBinary(folder / "a.ddd"));
    ASSERT_TRUE(driver.SaveTargetBinary(folder / "b.ddd"));
    EXPECT_EQ(driver.CompileCount(), 1);
    EXPECT_EQ(vx::test::readFile(folder / "a.ddd"), vx::test::readFile(folder / "b.ddd"));
    // Beside the rebuilt target its listing; no temporary file stays behind.
    EXPECT_TRUE(std::filesystem::exists(folder / "a.ddd.tags"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    EXPECT_EQ(harness.output.lines.back().text, u" 100 %\r\n");

    harness.project->MarkTargetStale();
    ASSERT_TRUE(driver.SaveTargetBinary(folder / "a.ddd"));
    EXPECT_EQ(driver.CompileCount(), 2);
    EXPECT_EQ(vx::test::readFile(folder / "a.ddd"), vx::test::readFile(folder / "b.ddd"));
}

} // namespace
