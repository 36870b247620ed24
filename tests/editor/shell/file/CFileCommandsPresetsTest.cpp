#include "editor/project/tags/CPreset.h"
#include "editor/project/tags/CProjectTags.h"
#include "editor/shell/ribbon/CPresetList.h"
#include "platform/ui/CommandTable.h"
#include "tests/editor/shell/file/FileCommandsFixture.h"

namespace vx::test {
namespace {

class Presets : public FileCommandsTest {
protected:
    std::filesystem::path PresetsFolder() const { return host.programFolder / "presets"; }

    void WritePreset(const std::string& name, int colorBits)
    {
        CTargetSettings settings;
        settings.colorBits = colorBits;
        settings.pageSize = u"320x240";
        writeFile(PresetsFolder() / (name + ".dpst"), CPreset::PresetBytes(settings));
    }
};

TEST_F(Presets, AreListedByNameWithoutTheWorkingOne)
{
    for (const char* name : {"working.dpst", "b.dpst", "a.dpst", "c.dctags", "working.dctags", "notes.txt", "d.DPST"})
        writeFile(PresetsFolder() / name, "x");
    std::filesystem::create_directories(PresetsFolder() / "folder.dpst");
    commands.RefreshPresetNames();
    EXPECT_EQ(commands.GetPresetNames(PresetKind::Project), (std::vector<std::u16string>{u"a", u"b", u"d"}));
    EXPECT_EQ(commands.GetPresetNames(PresetKind::ControllerTags), std::vector<std::u16string>{u"c"});
}

TEST_F(Presets, AtMostThirtyAreKept)
{
    for (int i = 0; i < 35; ++i)
        writeFile(PresetsFolder() / ("p" + std::to_string(100 + i) + ".dpst"), "x");
    commands.RefreshPresetNames();
    ASSERT_EQ(commands.GetPresetNames(PresetKind::Project).size(), CPresetList::kMaxNames);
    EXPECT_EQ(commands.GetPresetNames(PresetKind::Project).back(), u"p129");
}

TEST_F(Presets, TheWorkingPresetAndTagListAreWrittenBesideTheProgram)
{
    OpenSmall();
    commands.GetProject()->Settings().target.colorBits = 16;
    commands.SaveWorkingPreset();
    commands.SaveWorkingTags();
    CTargetSettings read;
    EXPECT_EQ(CPreset::ReadPreset(PresetsFolder() / "working.dpst", read), u"");
    EXPECT_EQ(read.colorBits, 16);
    EXPECT_EQ(read.pageSize, u"320x240");
    CTagsModel tags;
    EXPECT_EQ(CProjectTags::LoadTagsFile(PresetsFolder() / "working.dctags", TagsPath::Exact, tags, TagsReading::Load,
                                         IdenticalTags::Keep),
              u"");
    ASSERT_EQ(tags.RowCount(), 1);
    EXPECT_EQ(tags.Row(0).name, u"T1");
    commands.RefreshPresetNames();
    EXPECT_TRUE(commands.GetPresetNames(PresetKind::Project).empty());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(Presets, APresetStartsANewProjectWithItsSettings)
{
    WritePreset("small", 16);
    WritePreset("large", 24);
    commands.RefreshPresetNames();
    commands.LoadPreset(2);
    ASSERT_NE(commands.GetProject(), nullptr);
    EXPECT_EQ(commands.GetProject()->Settings().target.colorBits, 16);
    EXPECT_EQ(commands.GetProject()->GetPageSize(), CPageSize::Parse(u"320x240"));
    EXPECT_EQ(commands.GetProject()->GetPageCount(), 1);
    EXPECT_FALSE(commands.GetProject()->IsModified());

    // A cancelled save question ends the command with the open project as it was.
    commands.GetProject()->SetModified(true);
    prompts.answers = {Prompts::Answer::Cancel};
    commands.LoadPreset(1);
    EXPECT_EQ(commands.GetProject()->Settings().target.colorBits, 16);
    // A number past the list does nothing.
    commands.LoadPreset(3);
    EXPECT_EQ(prompts.messages.size(), 1u);

    // The names the ribbon listed for its buttons are the ones the numbers take.
    commands.SetPresetNames(PresetKind::Project, {u"large"});
    prompts.answers = {Prompts::Answer::No};
    commands.LoadPreset(1);
    EXPECT_EQ(commands.GetProject()->Settings().target.colorBits, 24);
}

TEST_F(Presets, AControllerTagListReplacesTheProjectsTags)
{
    OpenSmall();
    CTagsModel tags;
    CTagRow row;
    row.name = row.originalName = u"Speed";
    row.type = u"integer";
    row.address = CTagAddress::Fixed(0x40);
    row.size = 4;
    (void)tags.AddTag(row, IdenticalTags::Keep);
    writeFile(PresetsFolder() / "drive.dctags", CProjectTags::TagsFileBytes(tags, 11, CProjectTags::MemoryCheck::None));
    commands.RefreshPresetNames();
    commands.LoadControllerTags(1);
    EXPECT_EQ(host.firstTagRow, 1);
    ASSERT_EQ(commands.GetProject()->Tags().RowCount(), 1);
    EXPECT_EQ(commands.GetProject()->Tags().Row(0).name, u"Speed");
    EXPECT_TRUE(commands.GetProject()->IsModified());
}

TEST_F(FileCommandsTest, CommandsAreEnabledAsTheProjectAllows)
{
    CommandTable table;
    table.setActive(CommandLevel::Application, &commands.GetCommandTarget());
    const auto enabled = [&](CommandId id) { return table.state(ToInt(id)).enabled; };
    for (const CommandId id : {CommandId::FileNew, CommandId::FileOpen, CommandId::AppAbout, CommandId::PresetFirst})
        EXPECT_TRUE(enabled(id)) << ToInt(id);
    for (const CommandId id : {CommandId::Import, CommandId::FileSave, CommandId::FileSaveAs, CommandId::FileClose,
                               CommandId::SaveWorkingPreset, CommandId::SaveWorkingTags, CommandId::TagPresetFirst})
        EXPECT_FALSE(enabled(id)) << ToInt(id);
    // Only ten presets of each kind have commands.
    EXPECT_TRUE(table.route(ToInt(CommandId::PresetLast)));
    EXPECT_FALSE(table.route(ToInt(CommandId::PresetLast) + 1));
    EXPECT_TRUE(table.route(ToInt(CommandId::TagPresetLast)));
    EXPECT_FALSE(table.route(ToInt(CommandId::TagPresetLast) + 1));

    EXPECT_TRUE(table.execute(ToInt(CommandId::FileNew)));
    EXPECT_TRUE(enabled(CommandId::Import));
    EXPECT_TRUE(enabled(CommandId::FileSaveAs));
    EXPECT_TRUE(enabled(CommandId::TagPresetFirst));
    // A new project has no path: Save waits for Save As.
    commands.GetProject()->SetModified(true);
    EXPECT_FALSE(enabled(CommandId::FileSave));

    OpenSmall();
    EXPECT_FALSE(enabled(CommandId::FileSave));
    commands.GetProject()->SetModified(true);
    EXPECT_TRUE(enabled(CommandId::FileSave));

    // Without pages there is nothing to import beside.
    prompts.answers = {Prompts::Answer::No};
    ASSERT_EQ(commands.CreateProject(SaveQuestion::AllowCancel), CloseOutcome::Closed);
    EXPECT_EQ(commands.GetProject()->GetPageCount(), 0);
    EXPECT_FALSE(enabled(CommandId::Import));
}

} // namespace
} // namespace vx::test
