#include <cerrno>

#include "editor/shell/file/CProjectFileWriter.h"
#include "tests/editor/shell/file/FileCommandsFixture.h"

namespace vx::test {
namespace {

// Writes in small pieces and fails with a full disk once limit bytes are written.
class FailingWriter : public CProjectFileWriter {
public:
    explicit FailingWriter(std::size_t limit, std::size_t piece = 7) : m_limit(limit), m_piece(piece) {}
    std::size_t written = 0;

protected:
    ssize_t WriteSome(int descriptor, std::span<const uint8_t> bytes) override
    {
        if (written >= m_limit) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t size = std::min({bytes.size(), m_piece, m_limit - written});
        const ssize_t done = CProjectFileWriter::WriteSome(descriptor, bytes.first(size));
        if (done > 0)
            written += std::size_t(done);
        return done;
    }

private:
    std::size_t m_limit;
    std::size_t m_piece;
};

TEST(CProjectFileWriter, ShortWritesStillMakeTheWholeFile)
{
    TempDir dir;
    const std::filesystem::path path = dir / "whole.vxp";
    writeFile(path, "old");
    std::string bytes(100000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 31);
    FailingWriter writer(bytes.size(), 4093);
    EXPECT_EQ(writer.Write(path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())), u"");
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CProjectFileWriter, AWriteThatFailsPartWayKeepsTheOldFileAndLeavesNothing)
{
    TempDir dir;
    const std::filesystem::path path = dir / "kept.vxp";
    writeFile(path, "old contents");
    const std::string bytes(5000, 'n');
    FailingWriter writer(1234);
    EXPECT_EQ(writer.Write(path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())),
              u"There is not enough space on the disk.");
    EXPECT_EQ(writer.written, 1234u);
    EXPECT_EQ(readFile(path), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CProjectFileWriter, TheReplacedFileKeepsItsPermissionsAndItsLink)
{
    TempDir dir;
    const std::filesystem::path target = dir / "real.vxp";
    const std::filesystem::path link = dir / "link.vxp";
    writeFile(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(target, link);
    const std::string bytes = "new contents";
    CProjectFileWriter writer;
    EXPECT_EQ(writer.Write(link, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())), u"");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(target), bytes);
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(CProjectFileWriter, AFolderThatIsNotThereIsReported)
{
    TempDir dir;
    CProjectFileWriter writer;
    const uint8_t byte = 1;
    EXPECT_EQ(writer.Write(dir / "none" / "x.vxp", std::span(&byte, 1)),
              utf8ToWide((dir / "none" / "x.vxp").string()) + u" was not found.");
}

class FailingSave : public FileCommandsTest {
protected:
    std::filesystem::path m_path;
    std::string m_before;

    void SetUp() override
    {
        m_path = OpenSmall();
        m_before = readFile(m_path);
        commands.GetProject()->GetPage(0).SetName(u"Changed");
        commands.GetProject()->SetModified(true);
        commands.SetFileWriter(std::make_unique<FailingWriter>(m_before.size() / 2));
    }

    void ExpectNothingLost()
    {
        EXPECT_EQ(readFile(m_path), m_before);
        EXPECT_EQ(Files(), std::vector<std::string>{"small.vxp"});
        ASSERT_NE(commands.GetProject(), nullptr);
        EXPECT_TRUE(commands.GetProject()->IsModified());
        ASSERT_FALSE(prompts.messages.empty());
        EXPECT_EQ(prompts.messages.back().text, "There is not enough space on the disk.");
        EXPECT_EQ(prompts.messages.back().icon, Prompts::Icon::Error);
    }
};

TEST_F(FailingSave, KeepsTheOldFileAndTheModifiedMark)
{
    commands.OnFileSave();
    ExpectNothingLost();
}

TEST_F(FailingSave, CancelsTheCloseThatAskedForIt)
{
    prompts.answers = {Prompts::Answer::Yes};
    commands.OnFileClose();
    ExpectNothingLost();
}

TEST_F(FailingSave, CancelsTheNewAndTheOpenThatAskedForIt)
{
    CProject* open = commands.GetProject();
    prompts.answers = {Prompts::Answer::Yes};
    commands.OnFileNew();
    EXPECT_EQ(commands.GetProject(), open);
    ExpectNothingLost();

    prompts.answers = {Prompts::Answer::Yes};
    EXPECT_EQ(commands.OpenProjectFile(WriteProject("other.vxp", kSmallProject), ProjectReading::Load),
              OpenOutcome::Cancelled);
    EXPECT_EQ(commands.GetProject(), open);
    std::filesystem::remove(dir / "other.vxp");
    ExpectNothingLost();
}

TEST_F(FailingSave, CancelsTheExitThatAskedForIt)
{
    host.closeAnswer = Prompts::Answer::Yes;
    commands.OnFileClose();
    ExpectNothingLost();
}

TEST_F(FileCommandsTest, AProjectThatRefusesToBeWrittenWritesNothing)
{
    const std::filesystem::path path = OpenSmall();
    const std::string before = readFile(path);
    commands.GetProject()->SetModified(true);
    commands.GetProject()->SetDownloading(true);
    commands.OnFileSave();
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(commands.GetProject()->IsModified());
    // The project says why in its own message.
    EXPECT_EQ(editor.prompts.messages.size(), 1u);
    EXPECT_EQ(Files(), std::vector<std::string>{"small.vxp"});
}

} // namespace
} // namespace vx::test
