// The drivers' policy: errors refuse delivery, warnings warn, nothing is written that
// is not whole, and one transfer at a time.

#include <gtest/gtest.h>

#include <fstream>

#include "editor/document/CTagsModel.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/compile/CProjectCompiler.h"
#include "editor/project/compile/CRibbonFields.h"
#include "editor/project/compile/CTargetDriver.h"
#include "editor/project/compile/CompileMessages.h"
#include "editor/project/document/ProjectMessages.h"
#include "editor/project/download/CSerialZhProtocol.h"
#include "foundation/target/TargetProject.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ProjectHarness.h"

namespace {

using vx::test::ProjectHarness;
using vx::test::SetValue;

std::u16string oneAction(std::u16string_view command, std::u16string_view params)
{
    return u"[{\"command\":\"" + std::u16string(command) + u"\",\"params\":\"" + std::u16string(params)
        + u"\",\"trigger\":\"On entering page\",\"triggerParams\":\"\"}]";
}

uint32_t headerWord(std::span<const uint8_t> bytes, uint32_t offset)
{
    const std::size_t at = 12 + 12 + offset;   // "RIFF" header, then the "proj" chunk header
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24;
}

struct Driver : ::testing::Test {
    void SetUp() override { harness.project->SetPath(folder / "p.vxp"); }
    std::filesystem::path Target() const { return folder / "p.ddd"; }

    vx::test::TempDir folder;
    ProjectHarness harness;
};

TEST_F(Driver, AProjectWithoutPagesIsAnError)
{
    CTargetDriver driver(*harness.project);
    EXPECT_FALSE(driver.SaveTargetBinary(Target()));
    EXPECT_EQ(driver.Result() & kCompileError, uint32_t(kCompileError));
    EXPECT_TRUE(harness.output.Has(CompileMessages::kNoPages));
    EXPECT_EQ(harness.prompts.messages, (std::vector<std::u16string>{std::u16string(CompileMessages::kErrorsFound)}));
    EXPECT_FALSE(std::filesystem::exists(Target()));
    EXPECT_FALSE(std::filesystem::exists(folder / "p.ddd.tags"));
}

TEST_F(Driver, ErrorsRefuseTheTargetAndKeepTheOldFile)
{
    vx::test::writeFile(Target(), "old target");
    CPage& page = harness.project->AddPage();
    SetValue(page, u"Behavior", u"_Action script", oneAction(u"Go to page X", u"nowhere"));
    CTargetDriver driver(*harness.project);
    EXPECT_FALSE(driver.SaveTargetBinary(Target()));
    EXPECT_TRUE(harness.output.Has(u"Invalid page number"));
    EXPECT_EQ(vx::test::readFile(Target()), "old target");
    EXPECT_FALSE(driver.Download()) << "errors refuse the download as well";
    EXPECT_FALSE(harness.project->IsDownloading());
}

TEST_F(Driver, WarningsOnlyWarnAndTheTargetIsSaved)
{
    CPage& page = harness.project->AddPage();
    SetValue(page, u"Behavior", u"_Action script", oneAction(u"Sleep", u"12ab"));
    CTargetDriver driver(*harness.project);
    EXPECT_TRUE(driver.SaveTargetBinary(Target()));
    EXPECT_EQ(driver.Result(), uint32_t(kCompileWarning));
    EXPECT_EQ(harness.prompts.messages, (std::vector<std::u16string>{std::u16string(CompileMessages::kWarningsFound)}));
    EXPECT_TRUE(std::filesystem::exists(Target()));
}

TEST_F(Driver, AMemoryTagThatDoesNotFitIsAnErrorOfItsOwnForEveryUser)
{
    // Three "integer" tags of 4 bytes in 8 bytes of tag memory: the third finds no place.
    CTagsModel& tags = harness.project->Tags();
    tags.SetTagMemorySize(8);
    for (const char16_t* name : {u"First", u"Second", u"Third"}) {
        const int row = tags.AddNumericTag();
        ASSERT_TRUE(tags.SetName(row, name));
        tags.SetAddress(row, u"memory");
    }
    CPage& page = harness.project->AddPage();
    SetValue(page, u"Behavior", u"_Action script", oneAction(u"Set tag", u"Third = 1"));
    CEditorObject& field = page.AddObject(CEditorObject::CreateObject(3, &page));
    CObjectNames::InitObjectName(field, u"Gauge");
    SetValue(field, u"Data", u"Value tag", u"Third");
    vx::test::writeFile(Target(), "old target");

    CTargetDriver driver(*harness.project);
    EXPECT_FALSE(driver.SaveTargetBinary(Target()));
    EXPECT_EQ(driver.Result() & kCompileError, uint32_t(kCompileError));
    const std::u16string shortage = u"Third (4 bytes, tag memory 8 bytes)";
    EXPECT_TRUE(harness.output.Has(u"\r\nError in page object: Tag does not fit in the tag memory (action argument "
                                   + shortage + u")"));
    EXPECT_TRUE(harness.output.Has(u"\r\nError in Gauge object: Tag does not fit in the tag memory (object property "
                                   + shortage + u")"));
    EXPECT_FALSE(harness.output.Has(u"Invalid tag name"));
    EXPECT_EQ(vx::test::readFile(Target()), "old target") << "nothing is written";
    // The tags pane keeps its own word on the row.
    EXPECT_EQ(tags.Row(2).warning, kOutOfMemoryWarning);
    EXPECT_TRUE(tags.Row(0).warning.empty());

    // Room for it, and the same project compiles.
    tags.SetTagMemorySize(12);
    harness.project->SetModified(true);
    EXPECT_TRUE(driver.SaveTargetBinary(Target()));
    EXPECT_TRUE(tags.Row(2).warning.empty());
}

TEST_F(Driver, ATargetThatCannotBeWrittenIsInUseAndNothingIsReportedSaved)
{
    harness.project->AddPage();
    std::filesystem::create_directory(Target());   // a folder cannot be replaced by a file
    CTargetDriver driver(*harness.project);
    EXPECT_FALSE(driver.SaveTargetBinary(Target()));
    EXPECT_EQ(harness.prompts.messages.back(), CompileMessages::kFileInUse);
    EXPECT_EQ(harness.output.lines.back().text, u"\r\n");
    EXPECT_FALSE(harness.output.Has(CompileMessages::kSaved));
    EXPECT_TRUE(std::filesystem::is_directory(Target()));
}

TEST_F(Driver, StartPageIsSettledBeforeTheHeader)
{
    struct Case {
        std::vector<int32_t> types;
        int32_t start;
        bool forced;
    };
    const Case cases[] = {
        {{1, 2, 1}, 1, false},   // the first Initial page
        {{5, 1, 1}, 1, false},   // else the first Normal one
        {{5, 3, 6}, 0, true},    // else page 0, made Normal
    };
    for (const Case& c : cases) {
        ProjectHarness local;
        for (const int32_t type : c.types)
            local.project->AddPage(type);
        local.project->SetModified(false);
        const CCompiledTarget compiled = CProjectCompiler::Compile(*local.project);
        ASSERT_FALSE(compiled.bytes.empty());
        EXPECT_EQ(headerWord(compiled.bytes, target::ProjectHeader::kStartPageOffset), uint32_t(c.start));
        EXPECT_EQ(local.project->GetPage(0).GetPageType() == 1, c.forced || c.types[0] == 1);
        EXPECT_EQ(!local.prompts.messages.empty(), c.forced);
        EXPECT_EQ(local.project->IsModified(), c.forced);
    }
}

TEST_F(Driver, CompileWritesItsLinesInOrder)
{
    harness.project->AddPage().SetName(u"Alpha");
    CTargetDriver driver(*harness.project);
    ASSERT_TRUE(driver.SaveTargetBinary(Target()));
    std::vector<std::u16string> texts;
    for (const auto& line : harness.output.lines)
        texts.push_back(line.text);
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"Compiling project...", u"\r\nPage Alpha:       ", u"\r\nDone.\r\n",
                                                  u"Saving target binary...", u" 100 %\r\n"}));
    EXPECT_EQ(harness.output.lines.front().color, CompileMessages::kCompilingColor);
}

class Fields : public CRibbonFields {
public:
    std::u16string LayerHorzPositionText() const override { return u"12"; }
    std::u16string LayerVertPositionText() const override { return u"-7"; }
};

TEST_F(Driver, BuildTakesTheLayerPositionFromTheRibbon)
{
    harness.project->AddPage();
    CTargetDriver driver(*harness.project);
    ASSERT_TRUE(driver.SaveTargetBinary(Target()));
    ASSERT_TRUE(driver.BuildTarget(Target(), Fields()));
    EXPECT_EQ(driver.CompileCount(), 2) << "a changed setting makes the target stale";
    EXPECT_EQ(headerWord(driver.Binary(), target::ProjectHeader::kLayerXOffset), 12u);
    EXPECT_EQ(headerWord(driver.Binary(), target::ProjectHeader::kLayerYOffset), uint32_t(-7));
}

TEST_F(Driver, OneTransferAtATime)
{
    harness.project->AddPage();
    CDownloadSettings settings;
    settings.port = 0;   // no port and no device: nothing to open
    CSerialZhProtocol protocol(settings);
    CTargetDriver driver(*harness.project, &protocol);
    EXPECT_FALSE(driver.Download());
    EXPECT_EQ(harness.prompts.messages.back(), CompileMessages::kPortNotOpened);
    EXPECT_FALSE(harness.project->IsDownloading());
    EXPECT_FALSE(driver.PollDownload());

    // While a transfer runs, neither another one nor a save is started.
    harness.project->SetDownloading(true);
    harness.prompts.messages.clear();
    EXPECT_FALSE(driver.Download());
    EXPECT_FALSE(driver.SaveTargetBinary(Target()));
    EXPECT_EQ(harness.prompts.messages,
              (std::vector<std::u16string>{std::u16string(ProjectMessages::kDownloadAlreadyInProgress),
                                           std::u16string(ProjectMessages::kDownloadInProgress)}));
    EXPECT_FALSE(std::filesystem::exists(Target()));
    harness.project->SetDownloading(false);
}

} // namespace

namespace {

TEST(OversizedPictures, AnObjectLargerThanTheEngineHoldsIsNamedInAWarning)
{
    struct Case {
        int width;
        int height;
        bool warned;
    };
    const Case cases[] = {
        {16384, 100, false}, {16385, 100, true}, {100, 16385, true}, {16384, 16384, true},   // 1 GiB
        {16384, 4097, true},                                                                 // past 256 MiB
        {0, 100, false},                                                                     // no picture at all
        // The bound itself is the picture tests'; a whole compile of 256 MiB pictures would
        // only make the suite slow.
    };
    for (const Case& c : cases) {
        vx::test::ProjectHarness harness;
        CPage& page = harness.project->AddPage();
        auto object = CEditorObject::CreateObject(17, &page);
        CObjectNames::InitObjectName(*object, u"huge");
        object->SetRect(0, 0, c.width, c.height);
        const CEditorObject& added = page.AddObject(std::move(object));
        const CCompiledTarget compiled = CProjectCompiler::Compile(*harness.project);
        EXPECT_EQ(compiled.HasWarnings(), c.warned) << c.width << "x" << c.height;
        EXPECT_FALSE(compiled.HasErrors());
        const bool named = harness.output.Has(u"Warning in huge object: Picture larger than 16384 pixels");
        EXPECT_EQ(named, c.warned) << c.width << "x" << c.height;
        if (c.warned) {
            const auto& line = *std::find_if(harness.output.lines.begin(), harness.output.lines.end(),
                                             [](const auto& l) { return l.text.find(u"huge") != std::u16string::npos; });
            EXPECT_EQ(line.page, &page);
            EXPECT_EQ(line.object, &added);
        }
    }
}

} // namespace
