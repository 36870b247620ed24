// The editor as assembled: project files open by what they hold, not by their names, and
// Generate's lines stand in the output pane as the drivers write them.

#include <gtest/gtest.h>

#include "diagram/CommandId.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/shell/frame/CMainFrame.h"
#include "editor/views/panes/COutputBar.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ShellHarness.h"

namespace {

namespace fs = std::filesystem;
using vx::test::ShellHarness;

constexpr std::string_view kTwoPages = R"(<?xml version="1.0" standalone="yes" encoding="UTF-8"?>
<project formatVersion="2" pageSize="320x240"><page><name>Start</name><pageType>Initial</pageType></page><page><name>Next</name></page></project>)";

std::string withVersion(std::string_view version)
{
    std::string text(kTwoPages);
    text.replace(text.find("formatVersion=\"2\""), 17, "formatVersion=\"" + std::string(version) + "\"");
    return text;
}

bool run(ShellHarness& shell, CommandId id) { return shell.app->Commands().execute(ToInt(id)); }

struct OpenAndGenerate : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(shell.start()); }

    // Opened as from the recent-file list: a project, never an import.
    CProject* Open(const fs::path& path)
    {
        shell.app->OpenDocumentFile(path);
        return shell.app->GetProject();
    }
    bool ShowedParseFailure() const
    {
        for (const auto& message : shell.prompts.messages)
            if (message.text.contains(QStringLiteral("Failed to parse project file.")))
                return true;
        return false;
    }

    ShellHarness shell;
    vx::test::TempDir dir;
};

TEST_F(OpenAndGenerate, TheUpgradesBackupOpensAgainAsAProject)
{
    const fs::path path = dir / "plant.vxp";
    vx::test::writeFile(path, CProjectFile::Wrap(withVersion("1")));
    ASSERT_NE(Open(path), nullptr);
    const fs::path backup = dir / "plant.vxp.old-1";
    ASSERT_TRUE(fs::exists(backup)) << "the older project was moved aside";
    ASSERT_TRUE(run(shell, CommandId::FileClose));

    shell.prompts.messages.clear();
    const CProject* reopened = Open(backup);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetPageCount(), 2);
    EXPECT_FALSE(ShowedParseFailure());
}

TEST_F(OpenAndGenerate, AStoredLengthBeyondTheTextOpensAndAShorterOneIsRefused)
{
    const std::string file = CProjectFile::Wrap(kTwoPages);
    const auto withLength = [&](uint32_t length) {
        std::string patched = file;
        for (int i = 0; i < 4; ++i)
            patched[std::size_t(4 + i)] = char(uint8_t(length >> (8 * i)));
        return patched;
    };
    vx::test::writeFile(dir / "longer.vxp", withLength(uint32_t(kTwoPages.size() + 100)));
    const CProject* opened = Open(dir / "longer.vxp");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetPageCount(), 2);
    EXPECT_FALSE(ShowedParseFailure());
    ASSERT_TRUE(run(shell, CommandId::FileClose));

    vx::test::writeFile(dir / "shorter.vxp", withLength(uint32_t(kTwoPages.size() - 1)));
    EXPECT_EQ(Open(dir / "shorter.vxp"), nullptr);
    EXPECT_TRUE(ShowedParseFailure());
}

TEST_F(OpenAndGenerate, SavingTheTargetAndItsProgressStandOnOneLineOfTheOutputPane)
{
    const fs::path path = dir / "panel.vxp";
    vx::test::writeFile(path, CProjectFile::Wrap(kTwoPages));
    ASSERT_NE(Open(path), nullptr);
    shell.prompts.fileAnswers.push_back(QString::fromStdString((dir / "panel.ddd").string()));
    ASSERT_TRUE(run(shell, CommandId::GenerateBinary));
    ASSERT_TRUE(fs::exists(dir / "panel.ddd"));

    const QStringList lines = shell.frame().OutputBar().Text().split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Saving target binary... 100 %"))) << lines.join('|').toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral(" 100 %")));
}

} // namespace
