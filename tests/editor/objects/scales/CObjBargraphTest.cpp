#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "editor/objects/scales/CObjBargraph.h"
#include "tests/editor/objects/scales/ScaleObjectTest.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vx::test::Join;

constexpr int32_t kImageBar = 12;
constexpr int32_t kColorBar = 13;
constexpr uint32_t kSolidRect = 2, kBitmap = 3;
constexpr gfx::Rect kPlace{10, 20, 50, 220}; // 40 wide, 200 high: a vertical bar
constexpr uint32_t kFromBottom = 4;

class CObjBargraphTest : public vx::test::ScaleObjectTest {
protected:
    static std::vector<uint32_t> Header(uint32_t type) { return {0, 0, type, 0, kNoNeighbour, kNoNeighbour, kNoNeighbour, kNoNeighbour}; }
    // Direction, range 0..100, alarms 10 and 90, scaling 1, 1, 0, no tag.
    static std::vector<uint32_t> DefaultScale() { return {kFromBottom, 0, 100, 10, 90, 1, 1, 0, kNoTag, kNoTag}; }
    std::u16string Lines() const
    {
        std::u16string all;
        for (const std::u16string& line : harness.Lines())
            all += line;
        return all;
    }
    static std::u16string Wide(const std::filesystem::path& path)
    {
        const std::string text = path.string();
        return {text.begin(), text.end()};
    }
};

TEST_F(CObjBargraphTest, AUniformColourBarWithoutTicksCompilesAsType13WithItsColour)
{
    auto bar = Make(kColorBar, kPlace);
    Set(*bar, u"Gradient colors", u"ff\u0001ff\u0001");
    Set(*bar, u"Show ticks", u"Hide");
    const std::vector<uint32_t> words = CompileWords(*bar);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(harness.resources.Entries().empty()) << "no picture at all";
    const std::vector<uint32_t> expected = Join({Header(13), {0, 0xFFFF0000u}, DefaultScale(),
                                                 Element(kSolidRect, kPlace, kFirstElementFlags), {0, 6}});
    EXPECT_EQ(words, expected);
}

TEST_F(CObjBargraphTest, AnImageBarWritesItsTicksAndBodyPictures)
{
    auto bar = Make(kImageBar, kPlace);
    Set(*bar, u"Bar fill image", Wide(vx::test::fixturePath("images/rgba.png")));
    const std::vector<uint32_t> words = CompileWords(*bar);
    const auto entries = harness.resources.Entries();
    ASSERT_EQ(entries.size(), 2u);
    const uint32_t ticksPicture = entries[0], bodyPicture = entries[1];
    EXPECT_NE(ticksPicture, 0u);
    EXPECT_NE(bodyPicture, 0u);
    // Inner top/left ticks: the band keeps 2 from the left and is 3 wide; the bar stays whole.
    const std::vector<uint32_t> expected =
        Join({Header(12), {ticksPicture, bodyPicture}, DefaultScale(), Element(kBitmap, kPlace, kFirstElementFlags),
              Element(kBitmap, {12, 20, 15, 220}, 8)});
    EXPECT_EQ(words, expected);
    EXPECT_EQ(harness.resources.Cursor(), entries.size()) << "compile takes what collection added";
}

TEST_F(CObjBargraphTest, AMissingFillImageLeavesAnEmptyBodyEntry)
{
    auto bar = Make(kImageBar, kPlace);
    Set(*bar, u"Bar fill image", u"/nowhere/fill.png");
    Set(*bar, u"Show ticks", u"Hide");
    const std::vector<uint32_t> words = CompileWords(*bar);
    ASSERT_EQ(harness.resources.Entries().size(), 1u);
    EXPECT_EQ(words[8], 0u);
    EXPECT_EQ(words[9], 0u) << "body picture: none";
}

TEST_F(CObjBargraphTest, CentredOuterTicksSplitAUniformBarIntoABodyPicture)
{
    auto object = Make(kColorBar, kPlace);
    Set(*object, u"Gradient colors", u"ff\u0001ff\u0001");
    Set(*object, u"Tick alignment", u"Center");
    Set(*object, u"Tick placement", u"Outer");
    const std::vector<uint32_t> words = CompileWords(*object);
    ASSERT_EQ(harness.resources.Entries().size(), 2u);
    EXPECT_EQ(words[2], 12u) << "a split bar is an image bar";
    EXPECT_EQ(words[9], harness.resources.Entries()[1]);

    // Half-gap 40 × 10 / 400 + 1 = 2 about the middle: columns 18 to 21 stay clear.
    const auto& bar = static_cast<CObjBargraph&>(*object);
    const CObjectPicture body = bar.RenderBody(PictureAlpha::Premultiplied, true);
    ASSERT_TRUE(body.IsValid());
    EXPECT_EQ(body.Surface().pixel(5, 100), 0xFFFF0000u);
    EXPECT_EQ(body.Surface().pixel(17, 100), 0xFFFF0000u);
    EXPECT_EQ(body.Surface().pixel(18, 100), 0u);
    EXPECT_EQ(body.Surface().pixel(21, 100), 0u);
    EXPECT_EQ(body.Surface().pixel(22, 100), 0xFFFF0000u);
    EXPECT_EQ(body.Surface().pixel(39, 100), 0xFFFF0000u);
}

TEST_F(CObjBargraphTest, OuterTicksBesideAUniformBarKeepItsColour)
{
    auto bar = Make(kColorBar, kPlace);
    Set(*bar, u"Gradient colors", u"ff00\u0001ff00\u0001");
    Set(*bar, u"Tick placement", u"Outer");
    const std::vector<uint32_t> words = CompileWords(*bar);
    ASSERT_EQ(harness.resources.Entries().size(), 1u) << "the ticks picture alone";
    EXPECT_EQ(words[2], 13u);
    EXPECT_EQ(words[9], 0xFF00FF00u);
    // The bar gives way to the band: 40 × 10 / 200 = 2 from its left.
    const std::vector<uint32_t> bar2 = Element(kSolidRect, {12, 20, 50, 220}, kFirstElementFlags);
    EXPECT_TRUE(std::equal(bar2.begin(), bar2.end(), words.begin() + 20));
}

TEST_F(CObjBargraphTest, AnEmptyRangeStillWritesTheTicksPictureAndIsMadeUsable)
{
    auto bar = Make(kColorBar, kPlace);
    Set(*bar, u"Minimum value", u"50");
    Set(*bar, u"Maximum value", u"50");
    const std::vector<uint32_t> words = CompileWords(*bar);
    ASSERT_EQ(harness.resources.Entries().size(), 2u) << "ticks and gradient body";
    EXPECT_NE(words[8], 0u);
    EXPECT_EQ(words[11], 50u);
    EXPECT_EQ(words[12], 51u) << "the engine needs a range";
    EXPECT_NE(Lines().find(u"Warning in"), std::u16string::npos);
    EXPECT_NE(Lines().find(u"(Maximum value 51)"), std::u16string::npos);

    const CObjectPicture ticks = static_cast<CObjBargraph&>(*bar).RenderTicks(PictureAlpha::Premultiplied);
    ASSERT_TRUE(ticks.IsValid());
    const gfx::ConstPixelBuffer pixels = ticks.Surface().pixels();
    for (int32_t y = 0; y < pixels.height; ++y)
        for (int32_t x = 0; x < pixels.width; ++x)
            ASSERT_EQ(pixels.row(y)[x], 0u) << "no ticks without a range";
}

// Ticks at both ends of the scale stand inside the ticks picture, whichever end the bar grows from.
TEST_F(CObjBargraphTest, TicksStandAtBothEndsOfTheScale)
{
    for (const std::u16string_view from : {u"Left", u"Right", u"Top", u"Bottom"}) {
        const bool across = from == u"Left" || from == u"Right";
        auto object = Make(kColorBar, across ? gfx::Rect{0, 0, 200, 40} : gfx::Rect{0, 0, 40, 200});
        Set(*object, u"Propagation from", from);
        Set(*object, u"Tick width", u"1");
        Set(*object, u"Tick color", u"16777215"); // white
        const CObjectPicture ticks = static_cast<CObjBargraph&>(*object).RenderTicks(PictureAlpha::Premultiplied);
        ASSERT_TRUE(ticks.IsValid());
        ASSERT_EQ(across ? ticks.Size().width : ticks.Size().height, 200);
        const auto at = [&](int32_t along) {
            return across ? ticks.Surface().pixel(along, 1) : ticks.Surface().pixel(1, along);
        };
        EXPECT_EQ(at(0), 0xFFFFFFFFu) << std::string(from.begin(), from.end());
        EXPECT_EQ(at(199), 0xFFFFFFFFu) << std::string(from.begin(), from.end());
        EXPECT_EQ(at(5), 0u);
        EXPECT_EQ(at(194), 0u);
    }
}

TEST_F(CObjBargraphTest, TheGradientRunsFromTheFirstColourAtTheMinimumEnd)
{
    auto object = Make(kColorBar, {0, 0, 20, 100}); // from the bottom: the colours are swapped
    Set(*object, u"Show ticks", u"Hide");
    Set(*object, u"Transparency", u"100");
    const gfx::Surface preview = object->RenderPreview();
    ASSERT_TRUE(preview.isValid());
    const uint32_t top = preview.pixel(10, 0), bottom = preview.pixel(10, 99);
    EXPECT_EQ(top >> 24, 155u) << "alpha 255 − Transparency";
    EXPECT_EQ(bottom >> 24, 155u);
    // "ffff|ff|": yellow first, red last; the bottom is the start of a bar growing up.
    EXPECT_GT(bottom >> 8 & 0xFF, 140u) << "yellow at the bottom";
    EXPECT_LT(top >> 8 & 0xFF, 15u) << "red at the top";
}

TEST_F(CObjBargraphTest, HalvesOfNoSizeAreLeftOutWithAWarning)
{
    // 5 wide, centred outer ticks of 90 %: the half-gap 2 leaves halves of 2 − 2 = 0 pixels.
    auto bar = Make(kImageBar, {10, 10, 15, 60});
    Set(*bar, u"Bar fill image", Wide(vx::test::fixturePath("images/rgba.png")));
    Set(*bar, u"Tick alignment", u"Center");
    Set(*bar, u"Tick placement", u"Outer");
    Set(*bar, u"Tick size [%]", u"90");
    const std::vector<uint32_t> words = CompileWords(*bar);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(harness.resources.Entries().size(), 2u);
    EXPECT_NE(Lines().find(u"Picture of no size left out"), std::u16string::npos);
    const CObjectPicture body = static_cast<CObjBargraph&>(*bar).RenderBody(PictureAlpha::Premultiplied, false);
    ASSERT_TRUE(body.IsValid());
    EXPECT_EQ(body.Surface().pixel(0, 10), 0u) << "no half drawn";
}

} // namespace
