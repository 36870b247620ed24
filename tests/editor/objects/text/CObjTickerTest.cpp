#include <gtest/gtest.h>

#include <FreeImage.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/objects/text/CObjTicker.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetTickerWords.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

using target::WidgetType;

constexpr int32_t kTicker = 16;
constexpr uint32_t kLeftColour = 0xFFFF0000;    // left half of the picture, opaque red
constexpr uint32_t kRightColour = 0xFF0000FF;   // right half, opaque blue

// A picture of two halves, as a PNG in the folder.
void writeStrip(const std::filesystem::path& path, int width, int height)
{
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    ASSERT_NE(bitmap, nullptr);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(bitmap, y));
        for (int x = 0; x < width; ++x)
            row[x] = x < width / 2 ? kLeftColour : kRightColour;
    }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_DEFAULT));
    FreeImage_Unload(bitmap);
}

struct CObjTickerTest : ::testing::Test {
    CObjTickerTest()
    {
        writeStrip(dir / "strip.png", 40, 10);
        CObjectImageFile::SetProjectFolder(dir.path());
    }
    ~CObjTickerTest() override { CObjectImageFile::SetProjectFolder({}); }

    std::unique_ptr<CObjTicker> make(int32_t width, int32_t height, std::u16string_view image = u"strip.png")
    {
        auto object = CEditorObject::CreateObject(kTicker, &page);
        auto* ticker = dynamic_cast<CObjTicker*>(object.release());
        std::unique_ptr<CObjTicker> owned(ticker);
        owned->SetMinimumSize(-1, -1);   // a document may hold any size
        owned->SetRect(5, 6, 5 + width, 6 + height);
        owned->FindProperty(u"Appearance", u"Image")->SetValue(CPropertyValue(image));
        return owned;
    }
    std::vector<uint32_t> compile(CEditorObject& object) { return harness.CompileObject(object); }

    vx::test::TempDir dir;
    CSelectable page{kPageObjectType};
    vx::test::ObjectCompileHarness harness;
};

TEST_F(CObjTickerTest, StripTakesTheObjectsHeightAndCompilesWordByWord)
{
    auto ticker = make(50, 20);   // 40 x 10 at height 20: a strip of 80, 30 wider than the object
    ticker->FindProperty(u"Behavior", u"Scrolling type")->SetValue(CPropertyValue(u"Rotating"));
    ticker->FindProperty(u"Behavior", u"Speed pixels")->SetValue(CPropertyValue(int32_t(-3)));
    const std::vector<uint32_t> words = compile(*ticker);
    EXPECT_EQ(ticker->StripWidth(), 80);
    ASSERT_EQ(harness.resources.Entries().size(), 1u);
    const uint32_t strip = harness.resources.Entries()[0];
    EXPECT_NE(strip, 0u);
    const uint32_t none = 0xFFFFFFFF;
    const std::vector<uint32_t> expected = {
        0, 0, uint32_t(WidgetType::Ticker), 0, none, none, none, none,
        uint32_t(-3), 100, 30, strip,                     // speed, interval, overflow, the strip
        36, 10, 5, 6, 54, 25, 12, 0,                      // the scroller over the object
        target::ScrollingWords::kModeWrapping,
    };
    EXPECT_EQ(words, expected);
}

TEST_F(CObjTickerTest, ANegativeIntervalIsWrittenAsZeroAndSaid)
{
    const struct {
        int32_t interval;
        uint32_t written;
        bool warned;
    } cases[] = {{-50, 0, true}, {-1, 0, true}, {0, 0, false}, {250, 250, false}};
    for (const auto& c : cases) {
        auto ticker = make(50, 20);
        ticker->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"news"));
        ticker->FindProperty(u"Behavior", u"Speed interval [ms]")->SetValue(CPropertyValue(c.interval));
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        harness.output.lines.clear();
        const std::vector<uint32_t> words = compile(*ticker);
        ASSERT_GT(words.size(), 10u);
        EXPECT_EQ(words[8 + target::TickerWords::kPeriodOffset / 4], c.written) << c.interval;
        const std::vector<std::u16string> expected =
            c.warned ? std::vector<std::u16string>{u"\r\nWarning in news object: Value out of range, clamped (object "
                                                   u"property Speed interval [ms])"}
                     : std::vector<std::u16string>{};
        EXPECT_EQ(harness.Lines(), expected) << c.interval;
    }
}

TEST_F(CObjTickerTest, OverflowFollowsTheStripWidth)
{
    const struct {
        int32_t width;
        int32_t height;
        uint32_t overflow;
    } cases[] = {
        {100, 20, 0},   // a strip narrower than the object
        {80, 20, 0},    // as wide
        {79, 20, 1},
        {10, 5, 10},    // 20 x 5
    };
    for (const auto& c : cases) {
        auto ticker = make(c.width, c.height);
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        const std::vector<uint32_t> words = compile(*ticker);
        ASSERT_GT(words.size(), 10u);
        EXPECT_EQ(words[8 + target::TickerWords::kOverflowOffset / 4], c.overflow) << c.width << "x" << c.height;
    }
}

TEST_F(CObjTickerTest, AnImageThatDoesNotLoadKeepsTheLastOverflow)
{
    auto ticker = make(50, 20);
    (void)compile(*ticker);
    ticker->FindProperty(u"Appearance", u"Image")->SetValue(CPropertyValue(u"missing.png"));
    harness.resources.Begin(32, target::kTargetFlagsDefault);
    const std::vector<uint32_t> words = compile(*ticker);
    EXPECT_EQ(words[8 + target::TickerWords::kImageOffset / 4], 0u);
    EXPECT_EQ(words[8 + target::TickerWords::kOverflowOffset / 4], 30u);
    EXPECT_EQ(harness.resources.Cursor(), 1u);
}

TEST_F(CObjTickerTest, NoHeightMakesNoStripAndSaysSo)
{
    auto ticker = make(50, 0);
    ticker->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"tick"));
    const std::vector<uint32_t> words = compile(*ticker);
    EXPECT_EQ(words[8 + target::TickerWords::kImageOffset / 4], 0u);
    ASSERT_EQ(harness.Lines().size(), 1u);
    EXPECT_NE(harness.Lines()[0].find(u"tick object: Picture of no size left out (object size 50 x 0)"),
              std::u16string::npos);
}

TEST_F(CObjTickerTest, PreviewShowsTheStripCentredWhenNarrower)
{
    auto narrow = make(100, 20);   // strip 80: 10 clear columns each side
    const gfx::Surface preview = narrow->RenderPreview();
    ASSERT_TRUE(preview.isValid());
    EXPECT_EQ(preview.width(), 100);
    EXPECT_EQ(preview.pixel(9, 10), 0u);
    EXPECT_EQ(preview.pixel(10, 10), kLeftColour);
    EXPECT_EQ(preview.pixel(89, 10), kRightColour);
    EXPECT_EQ(preview.pixel(90, 10), 0u);

    auto wide = make(30, 20);   // the strip from its left edge
    const gfx::Surface left = wide->RenderPreview();
    ASSERT_TRUE(left.isValid());
    EXPECT_EQ(left.pixel(0, 0), kLeftColour);
    EXPECT_EQ(left.pixel(29, 19), kLeftColour);
}

TEST_F(CObjTickerTest, PlaceholderImagesComeFromThePlaceholdersFolder)
{
    EXPECT_EQ(CObjectImageFile::PathOf(u"%ticker.jpg").filename(), "ticker.jpg");
    EXPECT_EQ(CObjectImageFile::PathOf(u"strip.png"), dir.path() / "strip.png");
    EXPECT_TRUE(CObjectImageFile::PathOf(u"x").empty());
}

} // namespace
