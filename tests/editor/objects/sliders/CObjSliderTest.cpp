#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/OlderProjectConversion.h"
#include "editor/objects/sliders/CObjSlider.h"
#include "editor/objects/sliders/CObjTrend.h"
#include "foundation/TextHelpers.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetPage.h"
#include "foundation/xml/DXMLElement.h"
#include "platform/gfx/DeviceContext.h"
#include "tests/editor/objects/sliders/SliderTestThemes.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

using vx::test::FakeThemes;
using vx::test::ObjectCompileHarness;

constexpr uint32_t kNone = target::TagReference::kNone;
constexpr uint32_t kElement = target::ElementRecord::kSize;
constexpr uint32_t kBitmap = uint32_t(target::ElementKind::UnscaledBitmap);
// Visible, touchable; the first element of a page meets nothing before it.
constexpr uint32_t kFirstFocusable = 8 | 4 | 16;
constexpr uint32_t kFocusable = 8 | 16;

class SliderObjects : public vx::test::BuiltStylesTest {
protected:
    std::unique_ptr<CEditorObject> Make(int32_t type, gfx::Rect rect, std::u16string_view style)
    {
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(type, &page);
        object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        object->GetFormat().FindProperty(u"Style", u"Style name")->SetValue(CPropertyValue(style));
        object->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"obj"));
        return object;
    }
    static void Set(CEditorObject& object, std::u16string_view category, std::u16string_view caption, CPropertyValue value)
    {
        CPropertyBase* property = object.FindProperty(category, caption);
        ASSERT_NE(property, nullptr) << std::string(caption.begin(), caption.end());
        property->SetValue(std::move(value));
    }
    // Collects into one chunk and compiles into another: the record's words alone.
    std::vector<uint32_t> CompileWords(CEditorObject& object)
    {
        harness.Write([&](DRIFFFile& file, CObjectCompileContext&) { object.CollectImages(file, harness.resources); });
        const std::vector<uint8_t> bytes =
            harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) { EXPECT_EQ(object.Compile(file, context), 0); });
        std::vector<uint32_t> words(bytes.size() / 4);
        std::memcpy(words.data(), bytes.data(), words.size() * 4);
        return words;
    }
    uint32_t Entry(std::size_t i) const { return harness.resources.Entries()[i]; }

    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

TEST_F(SliderObjects, SliderCompilesWordByWord)
{
    FakeThemes themes;
    themes.Add(u"Alloy");
    auto slider = Make(CObjSlider::kSliderType, {100, 50, 300, 90}, u"Alloy");
    const std::vector<uint32_t> words = CompileWords(*slider);
    ASSERT_EQ(harness.resources.Entries().size(), 3u);
    // The 64 by 64 thumb at 60 % of the 40-pixel height: 24 square, 30 pixels in.
    const std::vector<uint32_t> expected = {
        0, 0, 18, 0, kNone, kNone, kNone, kNone,                  // header: no neighbours named
        Entry(0), Entry(1), Entry(2), 1, 0, 30, 0, 100, 1, 1, 0,  // pictures, Left, margin, range, scaling
        kNone, kNone, 1,                                          // no tag, step
        kElement, kBitmap, 118, 58, 141, 81, kFirstFocusable, 0,  // the thumb at the minimum
        kElement, kBitmap, 100, 50, 299, 89, kFocusable, 0,       // the track
    };
    EXPECT_EQ(words, expected);
    EXPECT_NE(Entry(0), 0u);
    EXPECT_NE(Entry(1), 0u);
    EXPECT_TRUE(harness.Lines().empty());
}

TEST_F(SliderObjects, KnobCompilesWordByWordWithItsAnglesInOneTurn)
{
    FakeThemes themes;
    themes.Add(u"Alloy");
    auto knob = Make(CObjSlider::kKnobType, {20, 10, 220, 210}, u"Alloy");
    Set(*knob, u"Appearance", u"Start angle [degrees]", CPropertyValue(int32_t(420)));
    Set(*knob, u"Appearance", u"End angle [degrees]", CPropertyValue(int32_t(660)));
    Set(*knob, u"Appearance", u"Direction", CPropertyValue(u"Counterclockwise"));
    Set(*knob, u"Behavior", u"Discrete value step", CPropertyValue(int32_t(5)));
    const std::vector<uint32_t> words = CompileWords(*knob);
    // Radius 100 - 30 - 5 = 65; at 60 degrees the thumb lies left of and below the centre.
    const std::vector<uint32_t> expected = {
        0, 0, 19, 0, kNone, kNone, kNone, kNone,
        Entry(0), Entry(1), Entry(2), 2, 60 | 300u << 16, 65, 0, 100, 1, 1, 0,
        kNone, kNone, 5,
        kElement, kBitmap, 34, 112, 93, 171, kFirstFocusable, 0,
        kElement, kBitmap, 20, 10, 219, 209, kFocusable, 0,
    };
    EXPECT_EQ(words, expected);
}

TEST_F(SliderObjects, WithoutAThumbPictureTheThumbIsTheWholeObjectAndHasNoTravel)
{
    FakeThemes themes;
    themes.Add(u"Aqua");   // a theme without pictures in the styles folder
    struct Case {
        int32_t type;
        gfx::Rect rect;
    };
    for (const Case c : {Case{CObjSlider::kSliderType, {0, 0, 200, 40}}, Case{CObjSlider::kKnobType, {10, 20, 210, 120}}}) {
        auto object = Make(c.type, c.rect, u"Aqua");
        const std::vector<uint32_t> words = CompileWords(*object);
        ASSERT_GE(words.size(), 38u) << c.type;
        EXPECT_EQ(words[8 + 5], 0u) << c.type << ": the travel word";
        const std::vector<uint32_t> thumb(words.begin() + 22, words.begin() + 28);
        EXPECT_EQ(thumb, (std::vector<uint32_t>{kElement, kBitmap, uint32_t(c.rect.left), uint32_t(c.rect.top),
                                                uint32_t(c.rect.right - 1), uint32_t(c.rect.bottom - 1)}))
            << c.type;
    }
}

struct UnusableCase {
    const char* name;
    int32_t type;
    std::u16string_view category;
    std::u16string_view caption;
    int32_t value;
    std::size_t word;     // index in the record
    uint32_t written;
    std::u16string_view warning;
};

TEST_F(SliderObjects, ValuesThePanelCannotUseAreBroughtInsideWithAWarning)
{
    FakeThemes themes;
    themes.Add(u"Alloy");
    // Record words: header 8; slider: direction 11, travel 13, minimum 14, maximum 15, step 21;
    // trend: rate 11, step 12, minimum 13, maximum 14.
    const UnusableCase cases[] = {
        {"step 0", 18, u"Behavior", u"Discrete value step", 0, 21, 1, u"Discrete value step"},
        {"negative step", 19, u"Behavior", u"Discrete value step", -4, 21, 1, u"Discrete value step"},
        {"maximum at the minimum", 18, u"Behavior", u"Maximum value", 0, 15, 1, u"Maximum value"},
        {"maximum below the minimum", 19, u"Behavior", u"Maximum value", -50, 14, uint32_t(-50), u"Maximum value"},
        {"margin past half the track", 18, u"Appearance", u"Channel offset", 150, 13, 99, u"Channel offset"},
        {"sample rate 0", 15, u"Behavior", u"Nr of samples in second", 0, 11, 1, u"Nr of samples in second"},
        {"sample distance 0", 15, u"Behavior", u"Sample distance [pixels]", 0, 12, 1, u"Sample distance [pixels]"},
    };
    for (const UnusableCase& c : cases) {
        SCOPED_TRACE(c.name);
        harness.output.lines.clear();
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        auto object = Make(c.type, {0, 0, 200, 40}, u"Alloy");
        Set(*object, c.category, c.caption, CPropertyValue(c.value));
        const std::vector<uint32_t> words = CompileWords(*object);
        ASSERT_GT(words.size(), c.word);
        EXPECT_EQ(words[c.word], c.written);
        const std::vector<std::u16string> lines = harness.Lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], u"\r\nWarning in obj object: Value out of range, clamped (object property " + std::u16string(c.warning) + u")");
    }
}

TEST_F(SliderObjects, AnObjectOfNoSizeMakesNoPicturesAndSaysSo)
{
    FakeThemes themes;
    themes.Add(u"Alloy");
    for (const int32_t type : {CObjSlider::kSliderType, CObjSlider::kKnobType, 15}) {
        SCOPED_TRACE(type);
        harness.output.lines.clear();
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        auto object = Make(type, {10, 10, 20, 60}, u"Alloy");
        // A document can hold what the page editor never makes.
        object->SetMinimumSize(-1, -1);
        object->SetRect(10, 10, 10, 60);
        const std::vector<uint32_t> words = CompileWords(*object);
        // The track, dial or background (a flat slider's thumb still has a size of its own).
        EXPECT_EQ(words[8], 0u);
        EXPECT_EQ(harness.resources.Entries()[0], 0u);
        if (type != 15) {
            EXPECT_EQ(words[10], 0u);
        }
        const std::vector<std::u16string> lines = harness.Lines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], u"\r\nWarning in obj object: Picture of no size left out");
    }
}

TEST_F(SliderObjects, CollectionAndCompileTakeTheSameEntries)
{
    FakeThemes themes;
    themes.Add(u"Alloy");
    for (const int32_t type : {CObjSlider::kSliderType, CObjSlider::kKnobType, 15}) {
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        auto object = Make(type, {0, 0, 120, 80}, u"Alloy");
        CompileWords(*object);
        EXPECT_EQ(harness.resources.Cursor(), harness.resources.Entries().size()) << type;
    }
}

// A picture drawn on a surface, to compare with what a theme drew.
gfx::Surface pictureFile(const std::filesystem::path& path, int32_t width, int32_t height)
{
    CWinFreeImage image;
    gfx::Surface surface(width, height);
    if (image.Load(path, CWinFreeImage::LoadPremultiplied, 0)) {
        gfx::DeviceContext dc(surface);
        image.Draw(dc, 0, 0, width, height);
    }
    return surface;
}

// Mean difference of the colour channels over the disc of a third of the side.
double discDifference(const gfx::Surface& a, const gfx::Surface& b)
{
    const int32_t side = std::min(a.width(), a.height()), centre = side / 2, radius = side / 3;
    double sum = 0;
    int count = 0;
    for (int32_t y = centre - radius; y <= centre + radius; ++y)
        for (int32_t x = centre - radius; x <= centre + radius; ++x) {
            if ((x - centre) * (x - centre) + (y - centre) * (y - centre) > radius * radius)
                continue;
            const uint32_t p = a.pixel(x, y), q = b.pixel(x, y);
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
            count += 3;
        }
    return count ? sum / count : 255;
}

TEST_F(SliderObjects, TheKnobsThumbIsTheRoundThumbPicture)
{
    UseRealThemes();
    for (const std::u16string_view theme : {u"Alloy", u"Dune", u"Lacquer", u"Timber"}) {
        const std::string name(theme.begin(), theme.end());
        SCOPED_TRACE(name);
        auto knob = Make(CObjSlider::kKnobType, {0, 0, 200, 200}, theme);
        const gfx::Surface thumb = static_cast<CObjSlider&>(*knob).RenderState(CObjSlider::State::Thumb);
        ASSERT_TRUE(thumb.isValid());
        EXPECT_EQ(thumb.width(), 60);
        const gfx::Surface round = pictureFile(folder / (name + "-rthumb.png"), thumb.width() - 1, thumb.height() - 1);
        const gfx::Surface flat = pictureFile(folder / (name + "-thumb.png"), thumb.width() - 1, thumb.height() - 1);
        EXPECT_LT(discDifference(thumb, round), 6.0);
        EXPECT_GT(discDifference(thumb, flat), discDifference(thumb, round) + 10.0);

        // The slider's thumb is the other picture.
        auto slider = Make(CObjSlider::kSliderType, {0, 0, 200, 100}, theme);
        const gfx::Surface bar = static_cast<CObjSlider&>(*slider).RenderState(CObjSlider::State::Thumb);
        const gfx::Surface flatBar = pictureFile(folder / (name + "-thumb.png"), bar.width() - 1, bar.height() - 1);
        EXPECT_LT(discDifference(bar, flatBar), 6.0);
    }
}

TEST_F(SliderObjects, EachKindDrawsWithEachRealTheme)
{
    UseRealThemes();
    for (const std::u16string_view theme : {u"Alloy", u"Dune", u"Lacquer", u"Timber"}) {
        SCOPED_TRACE(std::string(theme.begin(), theme.end()));
        auto slider = Make(CObjSlider::kSliderType, {0, 0, 200, 40}, theme);
        auto knob = Make(CObjSlider::kKnobType, {0, 0, 120, 120}, theme);
        auto graph = Make(15, {0, 0, 200, 100}, theme);
        const gfx::Surface track = slider->RenderPreview();
        const gfx::Surface dial = knob->RenderPreview();
        const gfx::Surface plot = graph->RenderPreview();
        ASSERT_TRUE(track.isValid() && dial.isValid() && plot.isValid());
        // The face covers the track beside the thumb and the channel.
        EXPECT_EQ(track.pixel(106, 6) >> 24, 0xFFu);
        // The channel (rows 18 to 21) turns from light grey to the theme's colour.
        const uint32_t colour = CThemeProvider::Get().FindTheme(theme)->GetColor();
        const uint32_t themed = gfx::Colour::fromColorRef(colour & 0xFFFFFF).argb;
        const auto distance = [](uint32_t p, uint32_t q) {
            int sum = 0;
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF));
            return sum;
        };
        EXPECT_LT(distance(track.pixel(106, 21), themed), distance(track.pixel(106, 21), 0xE0E0E0));
        EXPECT_LT(distance(track.pixel(106, 18), 0xE0E0E0), distance(track.pixel(106, 18), themed));
        EXPECT_EQ(dial.pixel(60, 30) >> 24, 0xFFu);
        EXPECT_EQ(dial.pixel(1, 1), 0u);   // outside the round face
        // The thumb in the preview is the thumb picture.
        const gfx::Rect thumb = static_cast<CObjSlider&>(*knob).ThumbRect({0, 0, 120, 120});
        const gfx::Surface thumbPicture = static_cast<CObjSlider&>(*knob).RenderState(CObjSlider::State::Thumb);
        EXPECT_EQ(dial.pixel(thumb.left + thumb.width() / 2, thumb.top + thumb.height() / 2),
                  thumbPicture.pixel(thumb.width() / 2, thumb.height() / 2));
        // The graph's plot area filled with the theme's colour.
        EXPECT_EQ(plot.pixel(100, 47), gfx::Colour::fromColorRef(colour & 0xFFFFFF).premultiplied());
    }
}

TEST_F(SliderObjects, SliderTicksStandAtBothEndsOfTheTravel)
{
    FakeThemes themes;
    themes.Add(u"Alloy").frame = 0;   // a clear face: only ticks and channel are drawn
    const uint32_t cyan = 0xFF00FFFF;
    for (const std::u16string_view from : {u"Left", u"Right"}) {
        SCOPED_TRACE(std::string(from.begin(), from.end()));
        auto slider = Make(CObjSlider::kSliderType, {0, 0, 200, 40}, u"Alloy");
        Set(*slider, u"Appearance", u"Propagation from", CPropertyValue(from));
        Set(*slider, u"Appearance", u"Channel width", CPropertyValue(int32_t(0)));
        Set(*slider, u"Ticks & Labels", u"Tick size [%]", CPropertyValue(int32_t(40)));
        Set(*slider, u"Ticks & Labels", u"Tick distance", CPropertyValue(int32_t(30)));
        const gfx::Surface picture = static_cast<CObjSlider&>(*slider).RenderState(CObjSlider::State::Track);
        // The band runs across rows 11 to 19 and along pixels 30 to 169 (margins of 30).
        const bool forward = from == u"Left";
        const int32_t minimum = forward ? 30 : 169, maximum = forward ? 169 : 30, ninety = forward ? 155 : 44;
        for (const int32_t x : {minimum, maximum}) {
            EXPECT_EQ(picture.pixel(x, 12), cyan) << x;   // label ticks run the band's depth
            EXPECT_EQ(picture.pixel(x, 18), cyan) << x;
        }
        EXPECT_EQ(picture.pixel(ninety, 12), 0u);    // 90 is a short tick
        EXPECT_EQ(picture.pixel(ninety, 17), cyan);
        EXPECT_EQ(picture.pixel(forward ? 28 : 171, 15), 0u);   // nothing outside the travel
    }
}

TEST_F(SliderObjects, NoTicksWithoutARange)
{
    FakeThemes themes;
    themes.Add(u"Alloy").frame = 0;
    auto slider = Make(CObjSlider::kSliderType, {0, 0, 200, 40}, u"Alloy");
    Set(*slider, u"Appearance", u"Channel width", CPropertyValue(int32_t(0)));
    Set(*slider, u"Behavior", u"Minimum value", CPropertyValue(int32_t(100)));
    const gfx::Surface picture = static_cast<CObjSlider&>(*slider).RenderState(CObjSlider::State::Track);
    for (int32_t y = 0; y < picture.height(); ++y)
        for (int32_t x = 0; x < picture.width(); ++x)
            ASSERT_EQ(picture.pixel(x, y), 0u) << x << "," << y;
}

TEST_F(SliderObjects, AnUnknownStyleDrawsNothing)
{
    auto slider = Make(CObjSlider::kSliderType, {0, 0, 60, 20}, u"Nowhere");
    const gfx::Surface picture = slider->RenderPreview();
    ASSERT_TRUE(picture.isValid());
    EXPECT_EQ(picture.pixel(30, 10), 0u);
}

TEST_F(SliderObjects, OlderProjectsTickSizesBecomePercent)
{
    // A knob of 100 by 80 measures against half its smaller side, 40.
    auto knob = Make(CObjSlider::kKnobType, {0, 0, 100, 80}, u"Alloy");
    Set(*knob, u"Ticks & Labels", u"Tick size [%]", CPropertyValue(int32_t(8)));
    Set(*knob, u"Ticks & Labels", u"Tick offset [%]", CPropertyValue(int32_t(40)));
    OlderProjectConversion::ConvertTickSizes(*knob, 1);
    EXPECT_EQ(knob->FindProperty(u"Ticks & Labels", u"Tick size [%]")->GetInt(), 20);
    EXPECT_EQ(knob->FindProperty(u"Ticks & Labels", u"Tick offset [%]")->GetInt(), 70);
}

} // namespace

namespace {

TEST_F(SliderObjects, XmlKeepsTheStyleThePropertiesAndThePositionWithoutAFont)
{
    UseRealThemes();
    for (const int32_t type : {CObjSlider::kSliderType, CObjSlider::kKnobType, 15}) {
        SCOPED_TRACE(type);
        auto object = Make(type, {12, 34, 156, 78}, u"Alloy");
        object->OnStyleChanged(u"Timber");
        Set(*object, u"Behavior", u"Minimum value", CPropertyValue(int32_t(-20)));
        DXMLElement root(u"page");
        object->WriteXml(root);
        const DXMLElement* written = root.getChild(u"object");
        ASSERT_NE(written, nullptr);
        EXPECT_EQ(written->getChild(u"style")->getText(), u"Timber");
        EXPECT_EQ(written->getChild(u"fontFamily"), nullptr);

        auto read = CEditorObject::CreateObject(type, &page);
        ASSERT_TRUE(read->ReadXml(*written));
        EXPECT_EQ(read->GetStyleName(), u"Timber");
        EXPECT_EQ(read->FindProperty(u"Behavior", u"Minimum value")->GetInt(), -20);
        EXPECT_EQ(read->GetRect().left, 12);
        EXPECT_EQ(read->GetRect().bottom, 78);
        // What the file holds wins over the theme's defaults applied with the style.
        EXPECT_EQ(read->FindProperty(u"Appearance", u"Transparency")->GetValueText(),
                  object->FindProperty(u"Appearance", u"Transparency")->GetValueText());
    }
    // A style no theme has keeps its name.
    auto lost = CEditorObject::CreateObject(CObjSlider::kSliderType, &page);
    DXMLElement element(u"object");
    element.addChild(u"style")->setText(u"Gone");
    ASSERT_TRUE(lost->ReadXml(element));
    EXPECT_EQ(lost->GetStyleName(), u"Gone");
}

} // namespace

namespace {

TEST_F(SliderObjects, ACustomStyleNamesItsThumbPictureAndChannelColour)
{
    FakeThemes themes;
    vx::test::FakeTheme& custom = themes.Add(u"Custom");
    custom.frame = 0;
    custom.definitions = u"group,Style,string,Style name,Custom,StyleName,Style name,relFile,Thumb picture,*,thumbFile,"
                         u"Thumb picture,color,Channel color,255,channelColor,Channel color,";
    auto slider = Make(CObjSlider::kSliderType, {0, 0, 200, 40}, u"Alloy");
    slider->OnStyleChanged(u"Custom");
    slider->GetFormat().FindProperty(u"Style", u"Thumb picture")
        ->SetValue(CPropertyValue(utf8ToWide(vx::test::fixturePath("images/rgba.png").string())));
    Set(*slider, u"Appearance", u"Channel offset", CPropertyValue(int32_t(0)));
    Set(*slider, u"Ticks & Labels", u"Show ticks", CPropertyValue(u"Hide"));
    // A 4 by 3 picture: 24 across, 32 along; half of it is the margin.
    int32_t travel = 0;
    const gfx::Rect thumb = static_cast<CObjSlider&>(*slider).ThumbRect({0, 0, 200, 40}, &travel);
    EXPECT_EQ(travel, 16);
    EXPECT_EQ(thumb, gfx::Rect(0, 8, 32, 32));
    // The channel turns to the style's own red.
    const gfx::Surface picture = static_cast<CObjSlider&>(*slider).RenderState(CObjSlider::State::Track);
    const uint32_t far = picture.pixel(100, 21);
    EXPECT_GT(far >> 16 & 0xFF, far & 0xFF);
    EXPECT_EQ(picture.pixel(100, 10), 0u);
}

} // namespace

namespace {

TEST_F(SliderObjects, KnobTicksStandAtBothEndsOfTheArc)
{
    FakeThemes themes;
    themes.Add(u"Alloy").frame = 0;
    auto knob = Make(CObjSlider::kKnobType, {0, 0, 200, 200}, u"Alloy");
    Set(*knob, u"Ticks & Labels", u"Tick width", CPropertyValue(int32_t(3)));
    const gfx::Surface picture = static_cast<CObjSlider&>(*knob).RenderState(CObjSlider::State::Track);
    // From 60 to 300 degrees: label ticks from radius 87 to 97, the middle one (50) short, 92 to 97.
    const auto alphaAt = [&](double degrees, double radius) {
        const double a = degrees * M_PI / 180;
        return picture.pixel(int32_t(100 - radius * std::sin(a)), int32_t(100 + radius * std::cos(a))) >> 24;
    };
    for (const double end : {60.0, 300.0}) {
        EXPECT_GT(alphaAt(end, 89), 128u) << end;
        EXPECT_GT(alphaAt(end, 95), 128u) << end;
        EXPECT_EQ(alphaAt(end, 80), 0u) << end;
    }
    EXPECT_EQ(alphaAt(180, 89), 0u);
    EXPECT_GT(alphaAt(180, 95), 128u);
    EXPECT_EQ(alphaAt(0, 92), 0u);   // the gap below the centre
}

} // namespace

namespace {

TEST_F(SliderObjects, GraphCompilesWordByWord)
{
    FakeThemes themes;
    themes.Add(u"Alloy");
    auto graph = Make(15, {10, 20, 210, 120}, u"Alloy");
    Set(*graph, u"Appearance", u"Signal transparency", CPropertyValue(int32_t(55)));
    const std::vector<uint32_t> words = CompileWords(*graph);
    ASSERT_EQ(harness.resources.Entries().size(), 1u);
    const uint32_t graphKind = uint32_t(target::ElementKind::Graph);
    // Border 10, ticks of 10 % on the left: the plot starts 9 + 5 pixels into the inner rectangle.
    const std::vector<uint32_t> expected = {
        0, 0, 15, 0, kNone, kNone, kNone, kNone,
        Entry(0), 0xC8F0FBFF, 1, 2, 3,        // background, signal ARGB, "Line" and "Sliding", rate, step
        0, 100, 10, 90, 1, 1, 0,               // range, alarms, scaling
        kNone, kNone,
        kElement, graphKind, 34, 30, 199, 109, 8 | 4, 0,
        kElement, kBitmap, 10, 20, 209, 119, 8, 0,
    };
    EXPECT_EQ(words, expected);
}

} // namespace
