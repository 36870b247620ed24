#include <gtest/gtest.h>

#include "editor/project/tags/CPreset.h"
#include "tests/support/TestEnvironment.h"

TEST(CPreset, BytesAndRoundTrip)
{
    CTargetSettings settings;
    settings.pageSize = u"1024x600";
    settings.targetFlags = 13;
    settings.colorBits = 16;
    settings.textAliasing = 0;
    settings.tagMemorySize = 4096;
    settings.nativeEncoding = 40;
    EXPECT_EQ(CPreset::PresetBytes(settings),
              "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n"
              "<preset>\n"
              "\t<pageSize>1024x600</pageSize>\n"
              "\t<targetFlags>13</targetFlags>\n"
              "\t<colorBits>16</colorBits>\n"
              "\t<textAliasing>0</textAliasing>\n"
              "\t<tagMemorySize>4096</tagMemorySize>\n"
              "\t<nativeEncoding>CP1252</nativeEncoding>\n"
              "</preset>\n");
    vx::test::TempDir folder;
    ASSERT_EQ(CPreset::WritePreset(folder / "p.dpst", settings), u"");
    CTargetSettings read;
    ASSERT_EQ(CPreset::ReadPreset(folder / "p.dpst", read), u"");
    EXPECT_EQ(read, settings);
}

TEST(CPreset, OnlyThePresentChildrenChange)
{
    struct Case {
        const char* document;
        CTargetSettings expected;
    };
    CTargetSettings colourOnly;
    colourOnly.colorBits = 18;
    CTargetSettings unknownEncoding;
    unknownEncoding.pageSize = u"320x240";
    const Case cases[] = {
        {"<?xml version=\"1.0\"?><preset><colorBits>18</colorBits></preset>", colourOnly},
        {"<?xml version=\"1.0\"?><preset><pageSize>320x240</pageSize><nativeEncoding>EBCDIC</nativeEncoding></preset>", unknownEncoding},
        {"<?xml version=\"1.0\"?><preset><nativeEncoding></nativeEncoding></preset>", CTargetSettings{}},
    };
    for (const Case& c : cases) {
        CTargetSettings settings;
        EXPECT_TRUE(CPreset::ParsePreset(c.document, settings)) << c.document;
        EXPECT_EQ(settings, c.expected) << c.document;
    }
}

TEST(CPreset, FailuresKeepTheSettings)
{
    vx::test::TempDir folder;
    vx::test::writeFile(folder / "bad.dpst", "<project><colorBits>8</colorBits></project>");
    CTargetSettings settings;
    EXPECT_EQ(CPreset::ReadPreset(folder / "bad.dpst", settings), CPreset::kParseFailed);
    EXPECT_NE(CPreset::ReadPreset(folder / "missing.dpst", settings), u"");
    EXPECT_NE(CPreset::WritePreset(folder / "none" / "p.dpst", settings), u"");
    EXPECT_EQ(settings, CTargetSettings{});
    EXPECT_FALSE(std::filesystem::exists(folder / "none"));
}
