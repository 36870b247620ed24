// The target commands: Generate binary writes the target and its listing, Play hands the
// compiled project to the engine with its arguments, Download sends it to a panel.

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/project/compile/CompileMessages.h"
#include "editor/shell/commands/CTargetCommandTexts.h"
#include "platform/sys/Launch.h"
#include "tests/support/editor/DownloadPeer.h"
#include "tests/editor/shell/commands/FrameCommandsHarness.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vx::test::FrameCommandsHarness;
using vx::test::TempDir;

// A project of one page that compiles without a warning, saved at folder/p.vxp.
struct TargetCommands : ::testing::Test {
    void SetUp() override
    {
        h.project.SetPath(folder / "p.vxp");
        h.project.AddPage().SetBackgroundColor(0x00FF00);
        h.commands.Target().SetProgramFolder(program.path());
        h.commands.Target().SetTemporaryFolder(temporary.path());
    }
    bool Compiled() const { return h.editor.output.Has(CompileMessages::kCompiling); }
    // Generate binary with the dialog answering name (in folder).
    bool Generate(const std::string& name)
    {
        h.dialogs.fileAnswers.push_back(QString::fromStdString((folder / name).string()));
        return h.Run(CommandId::GenerateBinary);
    }
    // A stand-in for the engine that writes the arguments it was given, one a line.
    void InstallRecordingEngine()
    {
        const std::filesystem::path engine = program / std::string(CTargetCommands::kEngineProgram);
        vx::test::writeFile(engine, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.arguments.part\"\n"
                                    "mv \"$0.arguments.part\" \"$0.arguments\"\n");
        std::filesystem::permissions(engine, std::filesystem::perms::owner_all);
    }
    std::string RecordedArguments()
    {
        const std::filesystem::path recorded = program / (std::string(CTargetCommands::kEngineProgram) + ".arguments");
        if (!vx::test::WaitUntil([&] { return std::filesystem::exists(recorded); }, std::chrono::seconds(30)))
            return "<engine never ran>";
        return vx::test::readFile(recorded);
    }

    TempDir folder, program, temporary;
    FrameCommandsHarness h;
};

TEST(EngineArguments, EachValueIsItsOwnArgument)
{
    EXPECT_EQ(CTargetCommands::EngineArguments(CPageSize::Parse(u"800x480"), 8192, "/tmp/vx-0/temp.ddd"),
              (std::vector<std::string>{"-w", "800", "-h", "480", "-m", "8192", "/tmp/vx-0/temp.ddd"}));
    // A path with blanks and quotes stays one argument, as it is.
    EXPECT_EQ(CTargetCommands::EngineArguments(CPageSize::Parse(u"240x320"), 0, "/a b/\"q\"/temp.ddd").back(),
              "/a b/\"q\"/temp.ddd");
}

TEST_F(TargetCommands, GenerateWritesTheTargetAndItsListing)
{
    h.frame.downloads = folder.path();
    ASSERT_TRUE(Generate("panel"));
    ASSERT_EQ(h.dialogs.fileRequests.size(), 1u);
    const Prompts::FileRequest& request = h.dialogs.fileRequests[0];
    EXPECT_EQ(request.suggestedName, QString("p"));
    EXPECT_EQ(request.folder, QString::fromStdString(folder.path().string()));
    EXPECT_EQ(request.filters, CTargetCommandTexts::TargetFilters());
    // "*" also offers a file without a dot in its name.
    EXPECT_EQ(request.filters, QStringList({"VX-Engine target files (*.ddd)", "All files (*)"}));
    EXPECT_FALSE(request.mustExist);

    // The dialog's default extension.
    EXPECT_TRUE(std::filesystem::exists(folder / "panel.ddd"));
    EXPECT_TRUE(std::filesystem::exists(folder / "panel.ddd.tags"));
    EXPECT_EQ(vx::test::readFile(folder / "panel.ddd").substr(0, 4), "RIFF");
    EXPECT_TRUE(h.editor.output.Has(CompileMessages::kSaved));
    EXPECT_EQ(h.frame.downloads, folder.path());
}

TEST_F(TargetCommands, GenerateRemembersTheChosenFolderAndKeepsAGivenExtension)
{
    const std::filesystem::path other = folder / "out";
    std::filesystem::create_directories(other);
    ASSERT_TRUE(Generate("out/panel.bin"));
    EXPECT_TRUE(std::filesystem::exists(other / "panel.bin"));
    EXPECT_EQ(h.frame.downloads, other);
    // Without a remembered folder the dialog starts where it likes.
    EXPECT_TRUE(h.dialogs.fileRequests[0].folder.isEmpty());
    EXPECT_FALSE(h.dialogs.fileRequests[0].askOverwrite);
}

TEST_F(TargetCommands, ACancelledDialogDoesNothing)
{
    h.Settle();
    ASSERT_TRUE(h.Run(CommandId::GenerateBinary));
    EXPECT_EQ(h.dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(Compiled());
    EXPECT_TRUE(h.frame.downloads.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(TargetCommands, GenerateAfterPlayRebuildsAndAnUnchangedProjectDoesNot)
{
    InstallRecordingEngine();
    ASSERT_TRUE(h.Run(CommandId::Play));
    EXPECT_TRUE(Compiled());
    ASSERT_TRUE(Generate("panel.ddd"));
    EXPECT_TRUE(Compiled()) << "the simulator switch changed";
    ASSERT_TRUE(Generate("panel.ddd"));
    EXPECT_FALSE(Compiled()) << "nothing changed since the last panel build";
    ASSERT_TRUE(h.Run(CommandId::Play));
    EXPECT_TRUE(Compiled());
}

TEST_F(TargetCommands, PlayForcesPremultipliedAlphaAndLeavesTheProjectsFlag)
{
    InstallRecordingEngine();
    h.Settings().target.targetFlags = int32_t(target::kTargetFlagCompress);
    h.project.GetPage(0).SetBackgroundTransparency(128);
    ASSERT_TRUE(h.Run(CommandId::Play));
    ASSERT_TRUE(Generate("panel.ddd"));
    EXPECT_EQ(h.Settings().target.targetFlags, int32_t(target::kTargetFlagCompress));
    EXPECT_NE(vx::test::readFile(temporary / "temp.ddd"), vx::test::readFile(folder / "panel.ddd"))
        << "the simulator's background is premultiplied, the panel's is not";

    // With the project's own flag on, both builds premultiply alike.
    h.Settings().target.targetFlags |= int32_t(target::kTargetFlagPremultiply);
    h.project.MarkTargetStale();
    ASSERT_TRUE(h.Run(CommandId::Play));
    ASSERT_TRUE(Generate("panel.ddd"));
    EXPECT_EQ(vx::test::readFile(temporary / "temp.ddd"), vx::test::readFile(folder / "panel.ddd"));
}

TEST_F(TargetCommands, PlayStartsTheEngineWithThePageSizeMemoryAndPath)
{
    // The private temporary folder the editor uses by default.
    h.commands.Target().SetTemporaryFolder({});
    InstallRecordingEngine();
    h.Settings().target.tagMemorySize = 8192;
    ASSERT_TRUE(h.Run(CommandId::Play));
    ASSERT_TRUE(h.commands.Target().LastEnginePid().has_value());
    std::string error;
    const std::filesystem::path privateFolder = Launch::privateTempFolder(error);
    ASSERT_FALSE(privateFolder.empty()) << error;
    EXPECT_EQ(RecordedArguments(), "-w\n800\n-h\n480\n-m\n8192\n" + (privateFolder / "temp.ddd").string() + "\n");
    EXPECT_TRUE(std::filesystem::exists(privateFolder / "temp.dtags"));
    struct stat info {};
    ASSERT_EQ(::stat(privateFolder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(TargetCommands, AMissingEngineIsReportedAndStopsPlay)
{
    ASSERT_TRUE(h.Run(CommandId::Play));
    EXPECT_FALSE(h.commands.Target().LastEnginePid().has_value());
    EXPECT_TRUE(h.editor.output.Has(CTargetCommandTexts::kEngineFailed));
    EXPECT_TRUE(h.editor.output.Has(u"VX-Engine: No such file or directory"));
    EXPECT_EQ(h.editor.output.lines.back().color, CTargetCommandTexts::kFailureColor);
    EXPECT_TRUE(std::filesystem::exists(temporary / "temp.ddd"));
}

TEST_F(TargetCommands, ATemporaryFolderOthersCanEnterIsRefused)
{
    InstallRecordingEngine();
    h.commands.Target().SetTemporaryFolder({});
    const std::filesystem::path shared = folder / ("vx-" + std::to_string(::getuid()));
    std::filesystem::create_directory(shared);
    std::filesystem::permissions(shared, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                             std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                             std::filesystem::perms::others_exec);
    const vx::test::ScopedVariable temporaryRoot("TMPDIR", folder.path().string());
    ASSERT_TRUE(h.Run(CommandId::Play));
    EXPECT_TRUE(h.editor.output.Has(CTargetCommandTexts::kNoTemporaryFolder));
    EXPECT_FALSE(Compiled());
    EXPECT_FALSE(std::filesystem::exists(shared / "temp.ddd"));
    EXPECT_FALSE(h.commands.Target().LastEnginePid().has_value());
}

TEST_F(TargetCommands, ATagsFileThatCannotBeWrittenIsReportedAndTheEngineNotStarted)
{
    InstallRecordingEngine();
    std::filesystem::create_directory(temporary / "temp.dtags"); // a folder is not replaced by a file
    ASSERT_TRUE(h.Run(CommandId::Play));
    EXPECT_FALSE(h.commands.Target().LastEnginePid().has_value());
    EXPECT_EQ(h.editor.output.lines.back().color, CTargetCommandTexts::kFailureColor);
    EXPECT_TRUE(h.editor.output.lines.back().text.find(u"temp.dtags") != std::u16string::npos)
        << std::string(h.editor.output.lines.back().text.begin(), h.editor.output.lines.back().text.end());
    EXPECT_FALSE(std::filesystem::exists(program / "VX-Engine.arguments"));
}

TEST_F(TargetCommands, ARefusedBuildEndsPlayBeforeTheTagsFile)
{
    InstallRecordingEngine();
    vx::test::SetValue(h.project.GetPage(0), u"Behavior", u"_Action script",
                       u"[{\"command\":\"Go to page X\",\"params\":\"nowhere\",\"trigger\":\"On entering page\","
                       u"\"triggerParams\":\"\"}]");
    ASSERT_TRUE(h.Run(CommandId::Play));
    EXPECT_EQ(h.editor.prompts.messages.back(), CompileMessages::kErrorsFound);
    EXPECT_FALSE(std::filesystem::exists(temporary / "temp.dtags"));
    EXPECT_FALSE(h.commands.Target().LastEnginePid().has_value());
    // The driver's own message is all the user sees.
    EXPECT_FALSE(h.editor.output.Has(CTargetCommandTexts::kEngineFailed));
}

TEST_F(TargetCommands, DownloadSendsThePanelBinaryToTheReceiver)
{
    vx::test::RxPeer peer(folder.path(), vx::test::FinalByte::Sent);
    ASSERT_TRUE(peer.Ready());
    vx::test::writeFile(program / "download.ini", "[Serial]\nbaudrate=9600\ndataBits=8\nparity=0\nstopBits=0\n"
                                                  "handshake=0\nretries=3\ntimeout=5000\nport=0\ndevice=" +
                                                      peer.Device() + "\n");
    ASSERT_TRUE(h.Run(CommandId::Download));
    ASSERT_TRUE(h.commands.IsDownloading()) << h.editor.prompts.messages.size();
    EXPECT_TRUE(h.editor.output.Has(CompileMessages::kDownloading));
    ASSERT_TRUE(vx::test::WaitUntil([&] { return !h.commands.PollDownload(); }, std::chrono::seconds(60)))
        << peer.Log();
    EXPECT_FALSE(h.commands.IsDownloading());
    EXPECT_TRUE(h.editor.prompts.messages.empty()) << peer.Log();

    // The same panel binary Generate writes, without compiling again.
    ASSERT_TRUE(Generate("panel.ddd"));
    EXPECT_FALSE(Compiled());
    const std::string sent = vx::test::readFile(folder / "panel.ddd");
    const std::string received = peer.Received();
    ASSERT_GE(received.size(), sent.size());
    EXPECT_EQ(received.substr(0, sent.size()), sent);
}

TEST_F(TargetCommands, ForgettingTheProjectStopsARunningDownload)
{
    vx::test::PtyPeer panel; // takes the request and never answers
    vx::test::writeFile(program / "download.ini",
                        "[Serial]\nbaudrate=9600\ndataBits=8\ntimeout=5000\nretries=3\ndevice=" + panel.SlavePath() + "\n");
    ASSERT_TRUE(h.Run(CommandId::Download));
    ASSERT_TRUE(h.commands.IsDownloading());
    EXPECT_EQ(panel.ReadBytes(1), "P");
    h.commands.ForgetProject();
    EXPECT_FALSE(h.commands.IsDownloading());
    EXPECT_FALSE(h.commands.PollDownload());
}

TEST_F(TargetCommands, DownloadWithoutAPortSaysSo)
{
    ASSERT_TRUE(h.Run(CommandId::Download));
    EXPECT_FALSE(h.commands.IsDownloading());
    EXPECT_EQ(h.editor.prompts.messages.back(), CompileMessages::kPortNotOpened);
    EXPECT_FALSE(h.commands.PollDownload());
}

} // namespace
