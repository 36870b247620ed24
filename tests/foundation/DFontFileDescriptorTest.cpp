#include <gtest/gtest.h>

#include "foundation/text/DFontFileDescriptor.h"
#include "platform/sys/Registry.h"
#include "tests/foundation/TextFixtures.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(DFontFileDescriptor, FriendlyNameDropsTheStyleWordsOfRegularBoldAndItalic)
{
    struct Case {
        std::u16string family, style, expected;
    };
    const Case cases[] = {
        {u"Arial", u"Regular", u"Arial"},
        {u"Arial", u"Bold Italic", u"Arial"},
        {u"Arial", u"Condensed Bold", u"Arial Condensed"},
        {u"DejaVu Sans", u"Book", u"DejaVu Sans"},
        {u"DejaVu Sans", u"Condensed Bold Oblique", u"DejaVu Sans Condensed"},
        {u"Font", u"  Wide   Bold  Italic Light ", u"Font Wide Light"},
        {u"Font", u"", u"Font"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DFontFileDescriptor::makeFriendlyName(c.family, c.style).view(), c.expected)
            << wideToUtf8(c.style);
}

TEST(DFontFileDescriptor, FileNameIsTheLoweredAlphanumericBaseNameWithoutExtension)
{
    struct Case {
        std::u16string base, expected;
    };
    const Case cases[] = {
        {u"COUR.TTF", u"cour"},
        {u"Arial Black-Bold.ttf", u"arialblackbold"},
        {u"DejaVuSans-Bold.ttf", u"dejavusansbold"},
        {u"font.v2.otf", u"fontv2"},
        {u".hidden", u"hidden"},
        {u"noextension", u"noextension"},
        {u"Ärger.ttf", u"rger"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DFontFileDescriptor::makeFileName(c.base).view(), c.expected) << wideToUtf8(c.base);
}

TEST(DFontFileDescriptor, DescribesStyleFlagsAndPitchOfARealFace)
{
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    struct Case {
        std::string path;
        int32_t italic, bold, fixedWidth, pitchFamily;
    };
    const Case cases[] = {
        {textfixtures::kDejaVu + "DejaVuSans.ttf", 0, 0, 0, 2},
        {textfixtures::kDejaVu + "DejaVuSans-BoldOblique.ttf", 1, 1, 0, 2},
        {textfixtures::kDejaVu + "DejaVuSansMono.ttf", 0, 0, 4, 1},
        {textfixtures::kLiberation + "LiberationSerif-Italic.ttf", 1, 0, 0, 2},
    };
    for (const Case& c : cases) {
        FT_Face face = nullptr;
        ASSERT_EQ(FT_New_Face(library, c.path.c_str(), 0, &face), 0) << c.path;
        DFontFileDescriptor descriptor;
        descriptor.describe(face);
        EXPECT_EQ(descriptor.italic, c.italic) << c.path;
        EXPECT_EQ(descriptor.bold, c.bold) << c.path;
        EXPECT_EQ(descriptor.fixedWidth, c.fixedWidth) << c.path;
        EXPECT_EQ(descriptor.multipleFixed, 0) << c.path;
        EXPECT_EQ(descriptor.multipleSize, 0) << c.path;
        EXPECT_EQ(descriptor.pitchFamily, c.pitchFamily) << c.path;
        FT_Done_Face(face);
    }

    vx::test::TempDir dir;
    textfixtures::writeBitmapFont(dir / "vx13.bdf", 13);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, (dir / "vx13.bdf").c_str(), 0, &face), 0);
    DFontFileDescriptor bitmapOnly;
    bitmapOnly.describe(face);
    EXPECT_EQ(bitmapOnly.multipleFixed, 1);
    EXPECT_EQ(bitmapOnly.multipleSize, 13);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(DFontFileDescriptor, SavesAndLoadsEveryValueOfItsCacheSubkey)
{
    textfixtures::forgetFontCache();
    DFontFileDescriptor saved;
    saved.absPath = DString(utf8ToWide(textfixtures::kDejaVu + "DejaVuSans.ttf"));
    saved.friendlyName = DString(u"DejaVu Sans");
    saved.fileName = DString(u"dejavusans");
    saved.italic = 1;
    saved.bold = 1;
    saved.fixedWidth = 4;
    saved.multipleFixed = 1;
    saved.multipleSize = 13;
    saved.pitchFamily = 0x31;
    saved.faceIndex = 2;
    {
        Registry registry;
        saved.save(7, registry);
        ASSERT_EQ(registry.sync(), 0);
    }

    Registry registry;
    EXPECT_EQ(registry.readString("FontCache/descriptor00000007/absPath"), std::optional(std::u16string(saved.absPath.view())));
    EXPECT_EQ(registry.readInteger("FontCache/descriptor00000007/pitchFamily"), std::optional<int64_t>(0x31));
    DFontFileDescriptor loaded;
    ASSERT_EQ(loaded.load(7, registry), 1);
    EXPECT_EQ(loaded.absPath, saved.absPath);
    EXPECT_EQ(loaded.friendlyName, saved.friendlyName);
    EXPECT_EQ(loaded.fileName, saved.fileName);
    EXPECT_EQ(loaded.italic, 1);
    EXPECT_EQ(loaded.bold, 1);
    EXPECT_EQ(loaded.fixedWidth, 4);
    EXPECT_EQ(loaded.multipleFixed, 1);
    EXPECT_EQ(loaded.multipleSize, 13);
    EXPECT_EQ(loaded.pitchFamily, 0x31);
    EXPECT_EQ(loaded.faceIndex, 2);
    EXPECT_EQ(loaded.fileExists, 1);
}

TEST(DFontFileDescriptor, LoadEndsAtAnEmptyPathAndReadsMissingIntegersAsZero)
{
    textfixtures::forgetFontCache();
    Registry registry;
    DFontFileDescriptor descriptor;
    EXPECT_EQ(descriptor.load(0, registry), 0);

    registry.writeString("FontCache/descriptor00000000/absPath", u"/no/such/font.ttf");
    registry.writeString("FontCache/descriptor00000000/bold", u"not a number");
    EXPECT_EQ(descriptor.load(0, registry), 1);
    EXPECT_EQ(descriptor.bold, 0);
    EXPECT_EQ(descriptor.faceIndex, 0);
    EXPECT_EQ(descriptor.fileExists, 0);

    registry.writeString("FontCache/descriptor00000001/absPath", u"");
    EXPECT_EQ(descriptor.load(1, registry), 0);
}

} // namespace
