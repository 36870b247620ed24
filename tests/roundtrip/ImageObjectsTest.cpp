// Images, dynamic images, windows, tag triggers and timers as the editor compiles them,
// loaded by the engine, and the page as the engine program shows it.
#include <gtest/gtest.h>

#include <string>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/images/CObjImage.h"
#include "engine/widgets/DCompositeObject_DynamicImage.h"
#include "engine/widgets/DCompositeObject_StaticImage.h"
#include "engine/widgets/DCompositeObject_Timer.h"
#include "engine/widgets/DCompositeObject_Trigger.h"
#include "foundation/TextHelpers.h"
#include "tests/editor/objects/images/PixelDifferences.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;
using vx::test::TempDir;

// A 24-bit BMP whose pixel (x, y) has the colour colourAt(x, y) (0xRRGGBB), rows
// bottom-up, each padded to 4 bytes.
template <class ColourAt>
void writeBmp(const std::filesystem::path& path, int32_t width, int32_t height, ColourAt colourAt)
{
    const int32_t stride = (width * 3 + 3) / 4 * 4;
    std::string bytes(std::size_t(54 + stride * height), '\0');
    const auto word = [&](std::size_t at, uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + std::size_t(i)] = char(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    word(2, uint32_t(bytes.size()), 4);
    word(10, 54, 4);
    word(14, 40, 4);
    word(18, uint32_t(width), 4);
    word(22, uint32_t(height), 4);
    word(26, 1, 2);
    word(28, 24, 2);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            word(std::size_t(54 + (height - 1 - y) * stride + x * 3), colourAt(x, y), 3);   // blue, green, red
    vx::test::writeFile(path, bytes);
}

using vx::test::DifferencesIn;

class ImageObjectsRoundTrip : public ::testing::Test {
protected:
    ImageObjectsRoundTrip()
    {
        writeBmp(folder / "red.bmp", 4, 4, [](int32_t, int32_t) { return 0xFF0000u; });
        writeBmp(folder / "green.bmp", 6, 2, [](int32_t, int32_t) { return 0x00FF00u; });
        // Every pixel its own colour, so the rescale shows.
        writeBmp(folder / "pattern.bmp", 5, 3,
                 [](int32_t x, int32_t y) { return uint32_t(x * 50) << 16 | uint32_t(y * 120) << 8 | 0x40u; });
        auto& tags = roundTrip.compiler();
        tags.AddTag(u"index", u"integer", 4, u"10");
        tags.AddTag(u"count", u"integer", 4, u"14");
        tags.AddTag(u"run", u"integer", 4, u"18");
        tags.AddTag(u"watched", u"integer", 4, u"22");
        tags.AddTag(u"position", u"integer", 4, u"26");
        tags.scope.pages = {{u"Main", 0}};

        // List order; the window first, so its record (which makes no widget) comes last.
        window = make(22, {100, 150, 180, 200});
        set(*window, u"Behavior", u"Referenced page", u"Main");
        set(*window, u"Data", u"Position tag", u"position");
        image = make(1, {10, 10, 50, 40});
        set(*image, u"Appearance", u"Image", path("red.bmp"));
        dynamic = make(9, {60, 10, 120, 40});
        set(*dynamic, u"Behavior", u"Images", path("pattern.bmp") + u"\x01" + path("green.bmp") + u"\x01");
        set(*dynamic, u"Data", u"Value tag", u"index");
        trigger = make(23, {0, 0, 10, 10});
        set(*trigger, u"Data", u"Value tag", u"watched");
        timer = make(24, {0, 0, 10, 10});
        set(*timer, u"Behavior", u"Stop value", u"3");
        set(*timer, u"Behavior", u"Step time [ms]", u"100");
        set(*timer, u"Data", u"Value tag", u"count");
        set(*timer, u"Data", u"Timer disable tag", u"run");
        for (CEditorObject* object : {window.get(), image.get(), dynamic.get(), trigger.get(), timer.get()})
            roundTrip.Add(*object);
    }

    std::unique_ptr<CEditorObject> make(int32_t type, gfx::Rect rect)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        return object;
    }
    static void set(CEditorObject& object, std::u16string_view category, std::u16string_view caption,
                    std::u16string_view value)
    {
        object.FindProperty(category, caption)->SetValue(CPropertyValue(value));
    }
    std::u16string path(const char* name) const { return utf8ToWide((folder / name).string()); }
    target::TagReference tag(std::u16string_view name) { return roundTrip.compiler().tags.Resolve(name); }

    // List positions.
    static constexpr std::size_t kWindow = 0, kImage = 1, kDynamic = 2, kTrigger = 3, kTimer = 4;

    TempDir folder;
    CSelectable page{kPageObjectType};
    ObjectRoundTrip roundTrip;
    std::unique_ptr<CEditorObject> window, image, dynamic, trigger, timer;
};

TEST_F(ImageObjectsRoundTrip, EveryRecordMakesItsWidgetAndLoadsCleanly)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    EXPECT_TRUE(roundTrip.compiler().output.lines.empty());
    const std::pair<std::size_t, uint32_t> types[] = {
        {kWindow, 22}, {kImage, 1}, {kDynamic, 9}, {kTrigger, 23}, {kTimer, 24}};
    for (const auto& [position, type] : types) {
        SCOPED_TRACE(position);
        EXPECT_EQ(roundTrip.TypeOf(position), type);
        if (position != kWindow) {
            EXPECT_EQ(roundTrip.LoadStatus(position), 0);
        }
    }
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_StaticImage>(kImage), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_DynamicImage>(kDynamic), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_Trigger>(kTrigger), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_Timer>(kTimer), nullptr);
    // The engine has no window widget: it goes on past the record by its size.
    EXPECT_EQ(roundTrip.Widget(kWindow), nullptr);
    EXPECT_EQ(roundTrip.LoadStatus(kWindow), std::nullopt);
}

TEST_F(ImageObjectsRoundTrip, PicturesShowWhereTheEditorPutsThemAndTheTagChoosesTheDynamicOne)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    const PagePixels engine = roundTrip.RenderPage();
    EXPECT_EQ(engine.at(30, 25) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(engine.at(130, 25) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
    const PagePixels previews = roundTrip.ComposePreviews();
    EXPECT_EQ(DifferencesIn(engine, previews, {10, 10, 50, 40}), 0u);
    EXPECT_EQ(DifferencesIn(engine, previews, {60, 10, 120, 40}), 0u);   // image 0 on show
    EXPECT_NE(engine.at(61, 11), engine.at(118, 38));

    roundTrip.engine().setTag(tag(u"index"), 1);
    EXPECT_EQ(roundTrip.RenderPage().at(90, 25) & 0xFFFFFF, 0x00FF00u);
    roundTrip.engine().setTag(tag(u"index"), 2);   // one past the last: image 0
    EXPECT_EQ(DifferencesIn(roundTrip.RenderPage(), previews, {60, 10, 120, 40}), 0u);
}

TEST_F(ImageObjectsRoundTrip, TheTimerCountsItsTagAsCompiledAndItsDisableTagPausesIt)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    ObjectRoundTrip::Engine& engine = roundTrip.engine();
    const auto* timer = roundTrip.WidgetAs<DCompositeObject_Timer>(kTimer);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->stepTime(), 100u);
    // "Forward" from 0 to 3: 1, 2, 3, then back to 0.
    engine.setTag(tag(u"run"), 1);
    std::vector<int32_t> seen;
    for (int i = 0; i < 60 && seen.size() < 5; ++i) {
        engine.frame(10);
        const int32_t value = engine.number(tag(u"count"));
        if (seen.empty() || seen.back() != value)
            seen.push_back(value);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 2, 3, 0}));
    engine.setTag(tag(u"run"), 0);
    engine.frame(10);
    EXPECT_TRUE(timer->isPaused());
    const int32_t held = engine.number(tag(u"count"));
    engine.frames(30, 10);
    EXPECT_EQ(engine.number(tag(u"count")), held);
}

TEST_F(ImageObjectsRoundTrip, AtSixteenBitsThePicturesAreDitheredWithinAStepOfFiveBits)
{
    ObjectRoundTrip sixteen(16);
    sixteen.compiler().AddTag(u"index", u"integer", 4, u"10");
    sixteen.Add(*image);
    sixteen.Add(*dynamic);
    ASSERT_EQ(sixteen.Load(), 0);
    EXPECT_EQ(sixteen.LoadStatus(0), 0);
    EXPECT_EQ(sixteen.LoadStatus(1), 0);
    const PagePixels engine = sixteen.RenderPage();
    const PagePixels previews = sixteen.ComposePreviews();
    // Five bits a channel keep each within 8 of the picture.
    EXPECT_EQ(DifferencesIn(engine, previews, {10, 10, 50, 40}, 8), 0u);
    EXPECT_EQ(DifferencesIn(engine, previews, {60, 10, 120, 40}, 8), 0u);
    EXPECT_GT(DifferencesIn(engine, previews, {60, 10, 120, 40}), 0u);
}

TEST_F(ImageObjectsRoundTrip, TheEngineProgramShowsThePicturesAsTheEditorPreviewsThem)
{
    const std::vector<uint8_t>& file = roundTrip.Compile();
    const PagePixels previews = roundTrip.ComposePreviews();
    vx::test::TempDir shots;
    const PagePixels shot = vx::test::ScreenshotPage(file, shots.path(), [](const PagePixels& page) {
        return (page.at(30, 25) & 0xFFFFFF) == 0xFF0000u;
    });
    ASSERT_FALSE(shot.empty()) << "the page never showed";
    EXPECT_TRUE(shot.WritePng(vx::test::KeptScreenshot("ImageObjectsScreenshot.png")));
    EXPECT_TRUE(previews.WritePng(vx::test::KeptScreenshot("ImageObjectsPreviews.png")));
    // The image and the dynamic image's first picture, pixel for pixel.
    EXPECT_EQ(DifferencesIn(shot, previews, {10, 10, 50, 40}), 0u);
    EXPECT_EQ(DifferencesIn(shot, previews, {60, 10, 120, 40}), 0u);
    // The panel has no window widget: the page shows where the editor draws its window picture.
    EXPECT_EQ(shot.at(140, 175) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
}

} // namespace
