// The engine's reader over the "dtags" file the editor's writer makes (the writer's test
// holds it to the same fixture); the two sides never meet in one program.
#include <gtest/gtest.h>

#include <span>

#include "engine/tagmonitor/CTagsFile.h"
#include "tests/support/TestEnvironment.h"

TEST(EngineReadsEditorTagsFile, EveryRowAsWritten)
{
    const std::string bytes = vx::test::readFile(vx::test::fixturePath("editor/project/panel.dtags"));
    const std::vector<CTagRow> rows =
        CTagsFile::read(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0x100);
    struct Expected {
        std::u16string name;
        std::u16string type;
        uint32_t address;
        uint32_t size;
    };
    const Expected expected[] = {
        {u"count", u"integer", 0x10, 4},
        {u"a/b", u"short", 0x20, 2},
        {u"text", u"UTF-8", 0x22, 20},
        {u"wide", u"UTF-8", 0x40, 16},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, expected[i].name) << i;
        EXPECT_EQ(rows[i].typeText, expected[i].type) << i;
        EXPECT_NE(rows[i].typeIndex, CTagRow::kUnknownType) << i;
        EXPECT_EQ(rows[i].address, expected[i].address) << i;
        EXPECT_EQ(rows[i].size, expected[i].size) << i;
    }
}
