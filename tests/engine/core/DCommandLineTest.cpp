#include <gtest/gtest.h>

#include <vector>

#include "engine/core/DCommandLine.h"

namespace {
DCommandLine parse(std::vector<std::u16string> args)
{
    args.insert(args.begin(), u"VX-Engine");
    return DCommandLine::parse(args);
}
} // namespace

TEST(DCommandLine, OptionsAndPath)
{
    struct Case {
        std::vector<std::u16string> args;
        int width, height;
        uint32_t memory;
        bool fixed;
        std::u16string path;
    };
    const Case cases[] = {
        {{}, 0, 0, 8192, false, u""},
        {{u"-W", u"800", u"-H", u"600", u"/p/a.ddd"}, 800, 600, 8192, false, u"/p/a.ddd"},
        {{u"-w", u"320", u"-h", u"240", u"-m", u"100", u"x.ddd"}, 320, 240, 100, true, u"x.ddd"},
        {{u"a.ddd", u"-w", u"800"}, 0, 0, 8192, false, u"a.ddd"},    // the rest is ignored
        {{u"-w"}, 0, 0, 8192, false, u"-w"},                          // option without value is the path
        {{u"-w", u"800", u"-h"}, 800, 0, 8192, false, u"-h"},
        {{u"-x", u"800", u"a.ddd"}, 0, 0, 8192, false, u"-x"},        // unknown option is the path
        {{u"-w", u"12px", u"a.ddd"}, 12, 0, 8192, false, u"a.ddd"},   // _wtoi stops at the first non-digit
        {{u"-w", u"px", u"a.ddd"}, 0, 0, 8192, false, u"a.ddd"},
        {{u"-M", u"-5", u"a.ddd"}, 0, 0, 0, true, u"a.ddd"},
        {{u"-w", u"800", u"-w", u"1024", u"a.ddd"}, 1024, 0, 8192, false, u"a.ddd"},
    };
    for (const Case& c : cases) {
        const DCommandLine line = parse(c.args);
        EXPECT_EQ(line.width, c.width);
        EXPECT_EQ(line.height, c.height);
        EXPECT_EQ(line.memoryImageSize, c.memory);
        EXPECT_EQ(line.memoryImageSizeFixed, c.fixed);
        EXPECT_EQ(line.path, c.path);
        EXPECT_FALSE(line.pathTooLong);
    }
}

TEST(DCommandLine, PathLongerThanTheBufferIsFlagged)
{
    EXPECT_FALSE(parse({std::u16string(259, u'a')}).pathTooLong);
    EXPECT_TRUE(parse({std::u16string(260, u'a')}).pathTooLong);
}

TEST(DCommandLine, DecimalValueReadsLikeWtoi)
{
    struct Case {
        std::u16string text;
        int value;
    };
    const Case cases[] = {
        {u"42", 42}, {u"  7", 7}, {u"+9", 9}, {u"-13", -13}, {u"", 0}, {u"abc", 0}, {u"3.5", 3},
        {u"99999999999", 2147483647}, {u"-99999999999", -2147483647 - 1}, {u"- 4", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decimalValue(c.text), c.value);
}

TEST(DCommandLine, TagsFileBesideTheTarget)
{
    EXPECT_EQ(tagsFilePathFor(u"/tmp/panel.ddd"), u"/tmp/panel.dtags");
    EXPECT_EQ(tagsFilePathFor(u"a.b.ddd"), u"a.b.dtags");
    EXPECT_EQ(tagsFilePathFor(u"/tmp/panel"), u"");
    EXPECT_EQ(tagsFilePathFor(u"/tmp/v1.2/panel"), u""); // a dot in a folder is no extension
}
