// The project document: round trips, older documents upgraded, imports staged and then
// committed with their tags and pages renamed, and merged tags followed everywhere.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/document/CActionScript.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/ProjectMessages.h"
#include "editor/project/tags/CProjectTags.h"
#include "tests/support/editor/ProjectHarness.h"

namespace {

using vx::test::ProjectHarness;
using vx::test::SetValue;
using vx::test::ValueOf;

constexpr int32_t kButton = 17;
constexpr int32_t kGraph = 15;
constexpr int32_t kKnob = 19;

std::string utf8(std::u16string_view text)
{
    return wideToUtf8(text);
}

CEditorObject& addObject(CPage& page, int32_t type, std::u16string_view name, int left = 10, int top = 20)
{
    auto object = CEditorObject::CreateObject(type, &page);
    CObjectNames::InitObjectName(*object, name);
    object->SetRect(left, top, left + 100, top + 50);
    return page.AddObject(std::move(object));
}

std::u16string script(std::u16string_view command, std::u16string_view params,
                      std::u16string_view trigger = u"On release")
{
    return u"[{\"command\":\"" + std::u16string(command) + u"\",\"params\":\"" + std::u16string(params)
        + u"\",\"trigger\":\"" + std::u16string(trigger) + u"\",\"triggerParams\":\"\"}]";
}

std::vector<ActionEntry> entriesOf(const CSelectable& owner)
{
    return CActionScript::Parse(utf8(ValueOf(owner, u"Behavior", u"_Action script")), 2);
}

int addTag(CTagsModel& tags, std::u16string_view name, std::u16string_view address, std::u16string_view type = u"integer")
{
    CTagRow row;
    row.name = name;
    row.originalName = name;
    row.type = type;
    row.size = type == u"short" ? 2 : 4;
    row.address = CTagAddress::FromText(address);
    return tags.AddTag(row, IdenticalTags::Keep);
}

// Two pages, objects, tags and a script: the project most tests start from.
void buildProject(CProject& project)
{
    CProjectSettings& settings = project.Settings();
    settings.target.pageSize = u"400x300";
    settings.password = u"pa&ss";
    project.SettingsChanged();
    addTag(project.Tags(), u"T1", u"10");
    addTag(project.Tags(), u"S1", u"memory", u"UTF-8");
    CPage& main = project.AddPage(int32_t(target::PageType::Initial));
    main.SetBackgroundColor(0x123456);
    SetValue(main, u"Behavior", u"_Action script", script(u"Go to page X", u"Page 2", u"On entering page"));
    CEditorObject& button = addObject(main, kButton, u"ok/cancel");
    SetValue(button, u"Behavior", u"_Action script", script(u"Set tag", u"T1 = 5"));
    addObject(main, kKnob, u"knob", 200, 100);
    CPage& second = project.AddPage();
    addObject(second, kGraph, u"trend");
}

TEST(CProjectDocument, WrittenThenReadGivesTheSameDocument)
{
    ProjectHarness first;
    buildProject(*first.project);
    const std::string document = first.Document();
    ASSERT_FALSE(document.empty());
    EXPECT_NE(document.find("formatVersion=\"2\""), std::string::npos);
    EXPECT_NE(document.find("pa&amp;ss"), std::string::npos);
    EXPECT_NE(document.find("ok&slash;cancel"), std::string::npos);
    EXPECT_TRUE(first.output.Has(ProjectMessages::kSavingProject));
    EXPECT_EQ(first.output.progress, (std::vector<std::u16string>{u" 50 %", u"100 %"}));

    ProjectHarness second;
    ASSERT_TRUE(second.Read(document).ok());
    EXPECT_TRUE(second.prompts.questions.empty());
    CProject& read = *second.project;
    EXPECT_EQ(read.Settings(), first.project->Settings());
    ASSERT_EQ(read.GetPageCount(), 2);
    EXPECT_EQ(read.GetPage(0).GetPageType(), 2);
    EXPECT_EQ(read.GetPage(0).GetBackgroundColor(), 0x123456u);
    ASSERT_EQ(read.GetPage(0).GetObjectCount(), 2);
    EXPECT_EQ(CObjectNames::GetName(*read.GetPage(0).GetObjects()[0], NameKind::Current), u"ok/cancel");
    EXPECT_EQ(read.Tags().RowCount(), 2);
    EXPECT_EQ(read.Tags().Row(1).type, u"UTF-8");
    EXPECT_EQ(second.Document(), document);
}

// An older project: no formatVersion, "tag%d" rows, the type "trend", former action
// names, the page transparency in "int", and knob sizes in pixels.
constexpr std::string_view kOlderDocument = R"(<project pageSize="320x240">
	<tags><tag1>Level</tag1><tag2>Speed</tag2></tags>
	<page><name>Main</name><int>40</int><actionScript>[{"command":"Set tag X to value Y","params":"Level = 3","trigger":"On entering page","triggerParams":""},{"command":"Else compare","params":"","trigger":"On entering page","triggerParams":""}]</actionScript>
		<object><type>trend</type><posLeft>0</posLeft><posTop>0</posTop><posRight>100</posRight><posBottom>50</posBottom></object>
		<object><type>knob</type><posLeft>0</posLeft><posTop>0</posTop><posRight>100</posRight><posBottom>80</posBottom><tickSize>10</tickSize></object>
	</page>
</project>)";

TEST(CProjectDocument, OlderDocumentIsUpgradedOnReading)
{
    ProjectHarness harness;
    ASSERT_TRUE(harness.Read(kOlderDocument).ok());
    CProject& project = *harness.project;
    EXPECT_EQ(project.GetReadFormatVersion(), 0);
    ASSERT_EQ(project.Tags().RowCount(), 2);
    EXPECT_EQ(project.Tags().Row(0).name, u"Level");
    EXPECT_EQ(project.Tags().Row(1).name, u"Speed");
    CPage& page = project.GetPage(0);
    EXPECT_EQ(page.GetBackgroundTransparency(), 40);
    ASSERT_EQ(page.GetObjectCount(), 2);
    EXPECT_EQ(page.GetObjects()[0]->GetObjectTypeIndex(), kGraph);
    // Knob: 10 px of half the smaller side (40) is 25 %.
    EXPECT_EQ(ValueOf(*page.GetObjects()[1], u"Ticks & Labels", u"Tick size [%]"), u"25");

    const std::vector<ActionEntry> entries = entriesOf(page);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].action, 14u);
    EXPECT_EQ(entries[0].commandText, u"Set tag");
    EXPECT_EQ(entries[0].parameters, u"Level = 3");
    EXPECT_EQ(entries[1].commandText, u"Else");

    const std::string written = harness.Document();
    EXPECT_NE(written.find("formatVersion=\"2\""), std::string::npos);
    EXPECT_NE(written.find("<type>graph</type>"), std::string::npos);
    EXPECT_EQ(written.find("Set tag X to value Y"), std::string::npos);
    EXPECT_EQ(written.find("<int>"), std::string::npos);
    // Read again as a current document, nothing changes any more.
    ProjectHarness again;
    ASSERT_TRUE(again.Read(written).ok());
    EXPECT_EQ(again.Document(), written);
}

TEST(CProjectDocument, CurrentDocumentKeepsFormerNamesItDoesNotKnow)
{
    ProjectHarness harness;
    const std::string document = R"(<project formatVersion="2"><page><name>P</name><actionScript>)"
                                 R"([{"command":"Set tag X to value Y","params":"a","trigger":"On press","triggerParams":""}])"
                                 R"(</actionScript></page></project>)";
    ASSERT_TRUE(harness.Read(document).ok());
    const std::vector<ActionEntry> entries = entriesOf(harness.project->GetPage(0));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].action, 0u) << "a current document has no former names";
    EXPECT_EQ(entries[0].commandText, u"Set tag X to value Y");
}

TEST(CProjectDocument, MissingRequiredElementsFailAndLeaveTheProjectAsItWas)
{
    const struct {
        std::string_view document;
        ProjectReadStatus status;
        PageReadStatus page;
    } cases[] = {
        {"<projects/>", ProjectReadStatus::NoProjectElement, PageReadStatus::Ok},
        {"<project><page><pageType>Normal</pageType></page></project>", ProjectReadStatus::PageRefused,
         PageReadStatus::MissingName},
        {"<project><page><name>A</name><object><posLeft>1</posLeft></object></page></project>",
         ProjectReadStatus::PageRefused, PageReadStatus::MissingObjectType},
        {"<project><page><name>A</name><object><type>rectangle</type></object></page></project>",
         ProjectReadStatus::PageRefused, PageReadStatus::UnknownObjectType},
    };
    for (const auto& c : cases) {
        ProjectHarness harness;
        buildProject(*harness.project);
        const std::string before = harness.Document();
        for (const ProjectReading reading : {ProjectReading::Load, ProjectReading::Import}) {
            const ProjectReadResult result = harness.Read(c.document, reading);
            EXPECT_EQ(result.status, c.status) << c.document;
            EXPECT_EQ(result.pageStatus, c.page) << c.document;
            EXPECT_EQ(harness.Document(), before) << c.document;
        }
    }
}

// A second project of its own tags and pages, imported into the first.
std::string importedDocument(std::u16string_view pageSize, int tagAddress)
{
    ProjectHarness other;
    CProject& project = *other.project;
    project.Settings().target.pageSize = pageSize;
    project.SettingsChanged();
    addTag(project.Tags(), u"T1", tagAddress == 10 ? u"10" : u"20");
    addTag(project.Tags(), u"T9", u"30");
    CPage& start = project.AddPage(int32_t(target::PageType::Initial));   // "Page 1", as in the first project
    CEditorObject& knob = addObject(start, kKnob, u"dial", 40, 30);
    SetValue(knob, u"Data", u"Value tag", u"T1");
    SetValue(knob, u"Behavior", u"_Action script", script(u"Increment tag", u"T1 += T9; max = 100"));
    SetValue(start, u"Behavior", u"_Action script", script(u"Go to page X", u"Page 1", u"On entering page"));
    project.AddPage(int32_t(target::PageType::Global));
    return other.Document();
}

TEST(CProjectDocument, ImportOfTheSamePageSizeAsksNothingButTheMergeAndAppendsThePages)
{
    ProjectHarness harness;
    buildProject(*harness.project);
    harness.prompts.answers = {PromptAnswer::Yes};   // merge identical tags
    ASSERT_TRUE(harness.Read(importedDocument(u"400x300", 10), ProjectReading::Import).ok());
    EXPECT_EQ(harness.prompts.questions, (std::vector<std::u16string>{std::u16string(CProjectTags::kMergeQuestion)}));
    CProject& project = *harness.project;
    ASSERT_EQ(project.GetPageCount(), 4);
    EXPECT_EQ(project.Settings().importCnt, 1);
    EXPECT_TRUE(project.IsImportedNotSaved());
    EXPECT_TRUE(project.IsModified());
    EXPECT_TRUE(project.IsTargetStale());

    // The imported "Page 1" meets both pages of the project and becomes "Page 3".
    CPage& imported = project.GetPage(2);
    EXPECT_EQ(imported.GetName(), u"Page 3");
    EXPECT_EQ(imported.GetOriginalName(), u"Page 3");
    EXPECT_TRUE(imported.GetPendingName().empty());
    // A second Initial page is a "Normal (Initial)" one; the Global page stays the only one.
    EXPECT_EQ(imported.GetPageType(), 7);
    EXPECT_EQ(project.GetPage(3).GetPageType(), 3);
    // Its script follows its new name; the first project's script is untouched.
    EXPECT_EQ(entriesOf(imported).at(0).parameters, u"Page 3");
    EXPECT_EQ(entriesOf(project.GetPage(0)).at(0).parameters, u"Page 2");

    // T1 is identical (same address) and merged; T9 is new.
    ASSERT_EQ(project.Tags().RowCount(), 3);
    EXPECT_EQ(project.Tags().Row(2).name, u"T9");
    EXPECT_EQ(ValueOf(*imported.GetObjects()[0], u"Data", u"Value tag"), u"T1");
    // The knob keeps its place and size.
    EXPECT_EQ(imported.GetObjects()[0]->GetRect().left, 40);
}

TEST(CProjectDocument, ImportedTagThatIsAnotherTagGetsANewNameAndItsReferencesFollow)
{
    ProjectHarness harness;
    buildProject(*harness.project);
    harness.prompts.answers = {PromptAnswer::Yes};
    ASSERT_TRUE(harness.Read(importedDocument(u"400x300", 20), ProjectReading::Import).ok());
    CProject& project = *harness.project;
    ASSERT_EQ(project.Tags().RowCount(), 4);
    EXPECT_EQ(project.Tags().Row(2).name, u"T1");
    EXPECT_EQ(project.Tags().Row(2).originalName, u"T1:2");
    const CEditorObject& knob = *project.GetPage(2).GetObjects()[0];
    EXPECT_EQ(ValueOf(knob, u"Data", u"Value tag"), u"T1:2");
    EXPECT_EQ(entriesOf(knob).at(0).parameters, u"T1:2 += T9; max = 100");
    // The first project's references still reach its own T1.
    EXPECT_EQ(entriesOf(*project.GetPage(0).GetObjects()[0]).at(0).parameters, u"T1 = 5");
}

TEST(CProjectDocument, ImportOfAnotherPageSizeAsksAndScalesOrChangesNothing)
{
    ProjectHarness declined;
    buildProject(*declined.project);
    const std::string before = declined.Document();
    declined.prompts.answers = {PromptAnswer::No};
    EXPECT_EQ(declined.Read(importedDocument(u"200x150", 10), ProjectReading::Import).status,
              ProjectReadStatus::ImportDeclined);
    EXPECT_EQ(declined.prompts.questions, (std::vector<std::u16string>{std::u16string(ProjectMessages::kAdjustPageSize)}));
    EXPECT_EQ(declined.Document(), before);

    ProjectHarness accepted;
    buildProject(*accepted.project);
    accepted.prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    ASSERT_TRUE(accepted.Read(importedDocument(u"200x150", 10), ProjectReading::Import).ok());
    EXPECT_EQ(accepted.project->Settings().target.pageSize, u"400x300");
    const CDiagramRect rect = accepted.project->GetPage(2).GetObjects()[0]->GetRect();
    EXPECT_EQ(rect.left, 80);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right, 280);
    EXPECT_EQ(rect.bottom, 160);
    // Not merged: the identical T1 is a row of its own, which references keep apart.
    EXPECT_EQ(accepted.project->Tags().RowCount(), 4);
}

TEST(CProjectDocument, MergedTagsAreFollowedByEveryPageAndObject)
{
    ProjectHarness harness;
    CProject& project = *harness.project;
    const int t1 = addTag(project.Tags(), u"T1", u"10");
    const int copy = addTag(project.Tags(), u"Tcopy", u"10");
    CPage& page = project.AddPage();
    SetValue(page, u"Behavior", u"_Action script", script(u"Compare tag", u"Tcopy == T1", u"On entering page"));
    CEditorObject& knob = addObject(page, kKnob, u"dial");
    SetValue(knob, u"Data", u"Value tag", u"Tcopy");
    project.SetModified(false);

    const int selected[] = {t1, copy};
    project.Tags().MergeIdenticalTags(selected, t1);
    EXPECT_EQ(project.Tags().RowCount(), 1);
    EXPECT_EQ(ValueOf(knob, u"Data", u"Value tag"), u"T1");
    EXPECT_EQ(entriesOf(page).at(0).parameters, u"T1 == T1");
    EXPECT_TRUE(project.IsModified());
}

TEST(CProjectDocument, PageNamesAndSpecialPageTypes)
{
    ProjectHarness harness;
    CProject& project = *harness.project;
    CPage& first = project.AddPage(int32_t(target::PageType::Initial));
    CPage& second = project.AddPage();
    EXPECT_EQ(first.GetName(), u"Page 1");
    EXPECT_EQ(second.GetName(), u"Page 2");
    EXPECT_EQ(project.MakeUniquePageName(u"Page 1"), u"Page 3");
    EXPECT_EQ(project.MakeUniquePageName(u"Setup screen"), u"Setup 2");
    EXPECT_EQ(project.MakeUniquePageName(u" lead"), u" lead 2");

    second.SetPageType(int32_t(target::PageType::Initial));
    project.EnforceUniquePageType(second);
    EXPECT_EQ(first.GetPageType(), 1);
    EXPECT_EQ(second.GetPageType(), 2);

    second.SetName(u"Renamed");
    std::u16string name = u"Renamed";
    EXPECT_TRUE(project.ResolvePageName(name));
    EXPECT_EQ(name, u"Page 2");
    EXPECT_TRUE(project.ResolvePageOriginalName(name));
    EXPECT_EQ(name, u"Renamed");
    name = u"nowhere";
    EXPECT_TRUE(project.ResolvePageName(name));
    EXPECT_EQ(name, u"");
}

TEST(CProjectDocument, PagesOfOneNameAreNumberedInTheirOrder)
{
    std::string document = "<project>";
    for (int i = 0; i < 200; ++i)
        document += "<page><name>Screen</name></page><page><name>Screen 5</name></page>";
    document += "</project>";
    ProjectHarness harness;
    ASSERT_TRUE(harness.Read(document).ok());
    CProject& project = *harness.project;
    ASSERT_EQ(project.GetPageCount(), 400);
    EXPECT_EQ(project.GetPage(0).GetName(), u"Screen");
    EXPECT_EQ(project.GetPage(1).GetName(), u"Screen 5");
    EXPECT_EQ(project.GetPage(2).GetName(), u"Screen 2");
    EXPECT_EQ(project.GetPage(3).GetName(), u"Screen 3");
    EXPECT_EQ(project.GetPage(4).GetName(), u"Screen 4");
    EXPECT_EQ(project.GetPage(5).GetName(), u"Screen 6");
    std::set<std::u16string> names;
    for (const auto& page : project.GetPages())
        names.insert(page->GetName());
    EXPECT_EQ(names.size(), 400u);
}

TEST(ProjectMessages, PercentagesOfLargeCountsAreTakenInSixtyFourBits)
{
    EXPECT_EQ(ProjectMessages::Percent(3'000'000'000ull, 4'000'000'000ull), 75);
    EXPECT_EQ(ProjectMessages::Percent(5, 0), 0);
    EXPECT_EQ(ProjectMessages::PercentText(7), u"  7 %");
    EXPECT_EQ(ProjectMessages::PercentText(100), u"100 %");
}

TEST(CProjectDocument, NothingIsWrittenWhileADownloadRuns)
{
    ProjectHarness harness;
    buildProject(*harness.project);
    harness.project->SetDownloading(true);
    DXMLElement document;
    EXPECT_FALSE(harness.project->WriteXml(document));
    EXPECT_EQ(document.getChildCount(), 0);
    EXPECT_EQ(harness.prompts.messages, (std::vector<std::u16string>{std::u16string(ProjectMessages::kDownloadInProgress)}));
}

} // namespace
