#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/CPropertyValue.h"
#include "editor/project/CProjectFileKind.h"
#include "editor/project/tags/CProjectTags.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr uint32_t kUtf8 = 10;

struct Tag {
    std::u16string name;
    std::u16string type;
    int32_t size;
    std::u16string address;
    std::u16string originalName;
};

void fill(CTagsModel& model, std::initializer_list<Tag> tags)
{
    for (const Tag& tag : tags) {
        CTagRow row;
        row.name = tag.name;
        row.type = tag.type;
        row.size = tag.size;
        row.address = CTagAddress::FromText(tag.address);
        row.originalName = tag.originalName;
        (void)model.AddTag(std::move(row), IdenticalTags::Keep);
    }
}

// The rows as the document keeps them.
std::vector<std::u16string> describe(const CTagsModel& model)
{
    std::vector<std::u16string> rows;
    for (const CTagRow& row : model.Rows())
        rows.push_back(row.name + u"|" + row.type + u"|" + CPropertyValue(row.size).Text() + u"|" + row.address.Text()
                       + u"|" + row.originalName);
    return rows;
}

std::string projectFormBytes(const CTagsModel& model)
{
    DXMLElement project(u"project");
    CProjectTags::WriteTags(project, model, TagsForm::Project, kUtf8);
    std::string bytes;
    project.write(bytes);
    return bytes;
}

void readProjectForm(std::string_view bytes, CTagsModel& model, TagsReading reading = TagsReading::Load,
                     IdenticalTags identical = IdenticalTags::Keep)
{
    // The reader skips a declaration, so every document has one.
    const std::string document = "<?xml version=\"1.0\"?>\n" + std::string(bytes);
    DXMLParser parser(document.data(), document.size());
    ASSERT_TRUE(parser.parse());
    const DXMLElement* project = parser.root().getChild(u"project");
    ASSERT_NE(project, nullptr);
    CProjectTags::ReadTags(*project, model, reading, identical);
}

} // namespace

TEST(CProjectTags, ProjectFormBytes)
{
    CTagsModel model;
    fill(model, {{u"a/b", u"short", 2, u"10", u"a/b"},
                 {u"text", u"UTF-8", 20, u"memory", u"was \"x\"=<y>"},
                 {u"local", u"integer", 4, u"", u"local"},
                 {u"", u"integer", 4, u"20", u""},
                 {u"after", u"integer", 4, u"30", u"after"}});
    // Rows stop at the first without a name; "/" and the attribute's quote and "=" are escaped.
    EXPECT_EQ(projectFormBytes(model),
              "<project>\n"
              "\t<tags>\n"
              "\t\t<short address=\"10\">a&slash;b</short>\n"
              "\t\t<UTF-8 address=\"memory\" size=\"20\" orig=\"was &quot;x&quot;&#61;&lt;y&gt;\">text</UTF-8>\n"
              "\t\t<integer>local</integer>\n"
              "\t</tags>\n"
              "</project>\n");
}

TEST(CProjectTags, ProjectFormRoundTrip)
{
    CTagsModel model;
    fill(model, {{u"a/b&<c>", u"short", 2, u"10", u"a/b&<c>"},
                 {u"text", u"UTF-8", 20, u"memory", u"was \"x\"=<y>"},
                 {u"local", u"integer", 4, u"", u"local"},
                 {u"wide", u"native-encoding", 64, u"storage", u"wide"}});
    CTagsModel read;
    readProjectForm(projectFormBytes(model), read);
    EXPECT_EQ(describe(read), describe(model));
}

TEST(CProjectTags, ReadingOlderAndOutOfRangeForms)
{
    struct Case {
        const char* tags;
        std::vector<std::u16string> rows;
    };
    const Case cases[] = {
        // Older string type names; sizes from the first letter when 0, missing or past 65535.
        {"<string-Unicode size=\"8\">u</string-Unicode><char>c</char><short size=\"0\">s</short>"
         "<UTF-8 size=\"65536\">big</UTF-8><UTF-8 size=\"-3\">neg</UTF-8><UTF-8 size=\"65535\">max</UTF-8>",
         {u"u|UTF-16LE|8||u", u"c|char|1||c", u"s|short|2||s", u"big|UTF-8|4||big", u"neg|UTF-8|4||neg",
          u"max|UTF-8|65535||max"}},
        // "tag%d" children are tags by name, counted from 1 without gaps.
        {"<tag1>first</tag1><tag2>second</tag2><tag4>lost</tag4>",
         {u"first|integer|4||first", u"second|integer|4||second"}},
        // A file's "auto" row is a "memory" row again; a nameless row is no tag.
        {"<integer auto=\"40\">placed</integer><integer address=\"8\"></integer>", {u"placed|integer|4|memory|placed"}},
    };
    for (const Case& c : cases) {
        CTagsModel model;
        readProjectForm(std::string("<project><tags>") + c.tags + "</tags></project>", model);
        EXPECT_EQ(describe(model), c.rows) << c.tags;
    }
}

TEST(CProjectTags, LoadingReplacesAndImportMergesIdenticalRows)
{
    const std::string document = "<project><tags><integer address=\"10\">same</integer>"
                                 "<integer address=\"20\">other</integer></tags></project>";
    CTagsModel model;
    fill(model, {{u"same", u"integer", 4, u"10", u"same"}});
    readProjectForm(document, model, TagsReading::Import, IdenticalTags::Merge);
    EXPECT_EQ(describe(model), (std::vector<std::u16string>{u"same|integer|4|10|same", u"other|integer|4|20|other"}));
    readProjectForm(document, model, TagsReading::Import, IdenticalTags::Keep);
    EXPECT_EQ(model.RowCount(), 4);
    readProjectForm(document, model, TagsReading::Load, IdenticalTags::Merge);
    EXPECT_EQ(model.RowCount(), 2);
    // A document without "tags" leaves the tags alone.
    readProjectForm("<project></project>", model);
    EXPECT_EQ(model.RowCount(), 2);
}

TEST(CProjectTags, TagsFileBytes)
{
    CTagsModel model;
    model.SetTagMemorySize(0x100);
    fill(model, {{u"fixed", u"integer", 4, u"f0", u"fixed"},
                 {u"local", u"integer", 4, u"", u"local"},
                 {u"stored", u"integer", 4, u"storage", u"stored"},
                 {u"wide", u"native-encoding", 8, u"memory", u"w\"=1"},
                 {u"past", u"UTF-8", 32, u"f0", u"past"}});
    const std::string declaration = "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n";
    // Only rows with a place; the placed "memory" row gives "auto"; the native encoding by name.
    const std::string rows = "\t<integer address=\"f0\">fixed</integer>\n"
                             "\t<UTF-8 auto=\"0\" size=\"8\" orig=\"w&quot;&#61;1\">wide</UTF-8>\n";
    EXPECT_EQ(CProjectTags::TagsFileBytes(model, kUtf8, CProjectTags::MemoryCheck::None),
              declaration + "<tags>\n" + rows + "\t<UTF-8 address=\"f0\" size=\"32\">past</UTF-8>\n</tags>\n");
    // For the engine a row reaching past the tag memory is left out.
    EXPECT_EQ(CProjectTags::TagsFileBytes(model, kUtf8, CProjectTags::MemoryCheck::WithinTagMemory),
              declaration + "<tags>\n" + rows + "</tags>\n");
}

TEST(CProjectTags, TagsFilesRoundTripByExtension)
{
    vx::test::TempDir folder;
    CTagsModel model;
    model.SetTagMemorySize(0x40);
    fill(model, {{u"a/b", u"short", 2, u"10", u"a/b"},
                 {u"text", u"UTF-8", 20, u"memory", u"orig=\"1\""},
                 {u"past", u"integer", 4, u"3e", u"past"}});
    ASSERT_EQ(CProjectTags::WriteTagsFile(folder / "export.DCTAGS", model, kUtf8), u"");
    ASSERT_EQ(CProjectTags::WriteTagsFile(folder / "panel.dtags", model, kUtf8), u"");
    CTagsModel exported;
    ASSERT_EQ(CProjectTags::LoadTagsFile(folder / "export.DCTAGS", TagsPath::Exact, exported, TagsReading::Load,
                                         IdenticalTags::Keep),
              u"");
    EXPECT_EQ(describe(exported), describe(model));
    // Beside a target the extension becomes "dtags"; that file keeps only what fits.
    CTagsModel engine;
    ASSERT_EQ(CProjectTags::LoadTagsFile(folder / "panel.ddd", TagsPath::BesideTarget, engine, TagsReading::Load,
                                         IdenticalTags::Keep),
              u"");
    EXPECT_EQ(describe(engine), (std::vector<std::u16string>{u"a/b|short|2|10|a/b", u"text|UTF-8|20|memory|orig=\"1\""}));
}

TEST(CProjectTags, TagsFileErrorsLeaveTheModel)
{
    vx::test::TempDir folder;
    CTagsModel model;
    fill(model, {{u"kept", u"integer", 4, u"10", u"kept"}});
    vx::test::writeFile(folder / "bad.dctags", "<?xml version=\"1.0\"?><project></project>");
    EXPECT_EQ(CProjectTags::LoadTagsFile(folder / "bad.dctags", TagsPath::Exact, model, TagsReading::Load,
                                         IdenticalTags::Keep),
              CProjectTags::kParseFailed);
    EXPECT_NE(CProjectTags::LoadTagsFile(folder / "missing.dctags", TagsPath::Exact, model, TagsReading::Load,
                                         IdenticalTags::Keep),
              u"");
    // A target path without "." is refused without a message.
    EXPECT_EQ(CProjectTags::LoadTagsFile(folder / "nodot", TagsPath::BesideTarget, model, TagsReading::Load,
                                         IdenticalTags::Keep),
              u"");
    EXPECT_NE(CProjectTags::WriteTagsFile(folder / "no-folder" / "x.dctags", model, kUtf8), u"");
    EXPECT_EQ(describe(model), (std::vector<std::u16string>{u"kept|integer|4|10|kept"}));
}

TEST(CProjectTags, ListingInTheAnsiCodePage)
{
    vx::test::TempDir folder;
    CTagsModel model;
    fill(model, {{u"Gr\u00fc\u00dfe\u20ac", u"integer", 4, u"memory", u""}, {u"\u4e2d", u"short", 2, u"memory", u""}});
    const std::filesystem::path listing = folder / "panel.ddd.tags";
    ASSERT_EQ(CProjectTags::WriteTagListing(listing, model), u"");
    const std::string bytes = vx::test::readFile(listing);
    EXPECT_NE(bytes.find("Gr\xfc\xdf" "e\x80"), std::string::npos);
    EXPECT_NE(bytes.find("                   ?"), std::string::npos);
    EXPECT_TRUE(bytes.starts_with("                NAME  ADDRESS  ADDR (DEC)  SIZE\r\n\r\n"));
}

TEST(ProjectFileKind, ExtensionAlone)
{
    EXPECT_EQ(KindOfFile("a/b.dctags"), ProjectFileKind::TagsExport);
    EXPECT_EQ(KindOfFile("b.DTags"), ProjectFileKind::EngineTags);
    EXPECT_EQ(KindOfFile("c.dpst"), ProjectFileKind::Preset);
    EXPECT_EQ(KindOfFile("t.ddd.tags"), ProjectFileKind::TagListing);
    EXPECT_EQ(KindOfFile("dtags"), ProjectFileKind::Unknown);
    EXPECT_EQ(KindOfFile("x.dtags.bak"), ProjectFileKind::Unknown);
}

// The engine's tags dialog reads this very file (tests/editor/project/engine), so the
// writer and the engine's reader are held to the same bytes.
TEST(CProjectTags, EngineTagsFileIsTheFixture)
{
    vx::test::TempDir folder;
    CTagsModel model;
    model.SetTagMemorySize(0x100);
    fill(model, {{u"count", u"integer", 4, u"10", u"count"},
                 {u"a/b", u"short", 2, u"20", u"a/b"},
                 {u"text", u"UTF-8", 20, u"memory", u"old \"text\""},
                 {u"wide", u"native-encoding", 16, u"40", u"wide"},
                 {u"past", u"integer", 4, u"fe", u"past"},
                 {u"local", u"integer", 4, u"", u"local"}});
    ASSERT_EQ(CProjectTags::WriteTagsFile(folder / "panel.dtags", model, kUtf8), u"");
    EXPECT_EQ(vx::test::readFile(folder / "panel.dtags"),
              vx::test::readFile(vx::test::fixturePath("editor/project/panel.dtags")));
}
