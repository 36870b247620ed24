#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "engine/tagmonitor/CTagsFile.h"
#include "tests/support/TagsFileWriter.h"

namespace {

using vx::test::TagsFileEntry;

constexpr uint32_t kMemory = 8192;

std::vector<CTagRow> readText(const std::string& text, uint32_t memory = kMemory)
{
    return CTagsFile::read({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, memory);
}

std::string file(const std::string& body)
{
    return "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n<tags>\n" + body + "</tags>\n";
}

TEST(TagsFile, ReadsWhatTheWriterWrites)
{
    const std::vector<TagsFileEntry> entries{
        {u"short", u"level", u"10", u"8", {}},
        {u"integer", u"count", u"20", {}, {}},
        {u"UTF-8", u"a/b & <c>", u"40", u"20", {}},
        {u"integer", u"allocated", {}, {}, u"1a"},
        {u"no-such-type", u"odd", u"60", u"3", {}},
    };
    const std::vector<CTagRow> rows = readText(vx::test::writeTagsFile(entries));
    ASSERT_EQ(rows.size(), 5u);
    // A "short" is 2 bytes and an "integer" 4, whatever the file says.
    EXPECT_EQ(rows[0].name, u"level");
    EXPECT_EQ(rows[0].typeIndex, 0);
    EXPECT_EQ(rows[0].address, 0x10u);
    EXPECT_EQ(rows[0].size, 2u);
    EXPECT_EQ(rows[0].sizeText, u"2");
    EXPECT_EQ(rows[1].typeIndex, 1);
    EXPECT_EQ(rows[1].sizeText, u"4");
    // Names and attribute values are decoded.
    EXPECT_EQ(rows[2].name, u"a/b & <c>");
    EXPECT_EQ(rows[2].typeIndex, 10);
    EXPECT_EQ(rows[2].size, 20u);
    // Without "address", "auto" holds the allocated one.
    EXPECT_EQ(rows[3].address, 0x1Au);
    // An unknown type is listed all the same.
    EXPECT_EQ(rows[4].typeText, u"no-such-type");
    EXPECT_EQ(rows[4].typeIndex, CTagRow::kUnknownType);
    EXPECT_EQ(rows[4].size, 3u);
}

TEST(TagsFile, TypeNamesMatchExactly)
{
    EXPECT_EQ(CTagsFile::findTagTypeIndex(u"UTF-16LE"), 11);
    EXPECT_EQ(CTagsFile::findTagTypeIndex(u"CP862"), 51);
    EXPECT_EQ(CTagsFile::findTagTypeIndex(u"utf-8"), -1);
    // An empty row of the table is no type, so its empty name never opens a converter.
    EXPECT_EQ(CTagsFile::findTagTypeIndex(u""), -1);
    EXPECT_EQ(CTagsFile::findTagTypeIndex(u"UTF-8\u00e9"), -1);
    EXPECT_EQ(CTagsFile::findTagTypeIndex(std::u16string(u"UTF-8\0x", 7)), -1);
}

TEST(TagsFile, ATagMustEndInsideTheMemory)
{
    // The last byte of the memory may be the tag's last byte; one byte further is not listed.
    EXPECT_EQ(readText(file("<integer address=\"1ffc\">last</integer>")).size(), 1u);
    EXPECT_EQ(readText(file("<integer address=\"1ffd\">past</integer>")).size(), 0u);
    EXPECT_EQ(readText(file("<UTF-8 address=\"0\" size=\"8192\">all</UTF-8>")).size(), 1u);
    EXPECT_EQ(readText(file("<UTF-8 address=\"1\" size=\"8192\">over</UTF-8>")).size(), 0u);
    // Address plus size never wraps around into range.
    EXPECT_EQ(readText(file("<UTF-8 address=\"ffffffff\" size=\"2\">wrap</UTF-8>")).size(), 0u);
    EXPECT_EQ(readText(file("<UTF-8 address=\"10\" size=\"4294967295\">huge</UTF-8>")).size(), 0u);
}

struct MalformedCase {
    const char* name;
    std::string text;
    std::size_t rows;
};

void PrintTo(const MalformedCase& c, std::ostream* out)
{
    *out << c.name;
}

class MalformedTagsFile : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedTagsFile, GivesFewerRowsNeverAFailure)
{
    EXPECT_EQ(readText(GetParam().text).size(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    , MalformedTagsFile,
    testing::Values(
        MalformedCase{"Empty", "", 0}, MalformedCase{"NotXml", "\x89PNG\r\n\x1a\n\0\0garbage", 0},
        MalformedCase{"NoTagsElement", "<?xml version=\"1.0\"?><other><integer address=\"0\">a</integer></other>", 0},
        MalformedCase{"EmptyTags", file(""), 0}, MalformedCase{"SelfClosedTags", "<tags/>", 0},
        MalformedCase{"NoAddress", file("<integer>a</integer><integer size=\"4\">b</integer>"), 0},
        MalformedCase{"EmptyAddressAndAuto", file("<integer address=\"\" auto=\"\">a</integer>"), 0},
        MalformedCase{"Truncated", file("<integer address=\"4\">a</integer><short addr").substr(0, 110), 1},
        // The parser ends the value at the tag's end; the address reads as far as it is hexadecimal.
        MalformedCase{"UnclosedAttribute", file("<integer address=\"4>a</integer>"), 1},
        MalformedCase{"Nested", file("<integer address=\"4\">a<short address=\"8\">b</short></integer>"), 1},
        MalformedCase{"AnyChildName", file("<tag1 address=\"4\">old</tag1>"), 1},
        MalformedCase{"Entities", file("<integer address=\"&#x34;\">&amp;&lt;&slash;</integer>"), 1},
        MalformedCase{"SecondTagsIgnored", file("<integer address=\"4\">a</integer>") +
                                                 "<tags><integer address=\"8\">b</integer></tags>", 1},
        MalformedCase{"LeadingJunk", std::string(5000, '<') + file("<integer address=\"4\">a</integer>"), 1}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

} // namespace
