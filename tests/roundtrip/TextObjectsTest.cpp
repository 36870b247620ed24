// Texts, message fields and tickers as the editor compiles them, loaded by the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/objects/text/CObjText.h"
#include "editor/objects/text/CObjTicker.h"
#include "editor/project/compile/CCompileStartup.h"
#include "engine/primitives/DBaseObject_ScrollingBitmap.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/widgets/DCompositeObject_MessageField.h"
#include "engine/widgets/DCompositeObject_StaticText.h"
#include "engine/widgets/DCompositeObject_Ticker.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/target/TargetTickerWords.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetSpanReader.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;

// The class data of an object's compiled record, read as the engine reads it.
template <class Data>
Data classDataOf(const std::vector<uint8_t>& record)
{
    Data data;
    target::TargetSpanReader reader(std::span<const uint8_t>(record).subspan(target::ObjectRecordHeader::kSize));
    EXPECT_EQ(target::readClassData(reader, data).status, 0);
    return data;
}

std::u16string list(std::u16string_view text)
{
    std::u16string out(text);
    std::replace(out.begin(), out.end(), u'|', u'\u0001');
    return out;
}

// The page's objects in list order.
enum Position : std::size_t { kPlain, kColours, kMessages, kEmpty, kTicker, kCount };

// A page of every kind: a plain text, a text with colours (a message field on the panel),
// a message field on a tag, an empty message field and a ticker over a strip wider than
// it.
struct TextObjectsPage {
    explicit TextObjectsPage(int32_t tickerSpeed, int colorDepth = 32) : roundTrip(colorDepth)
    {
        PagePixels strip{300, 30, {}};
        for (int32_t y = 0; y < strip.height; ++y)
            for (int32_t x = 0; x < strip.width; ++x)
                strip.argb.push_back(x % 60 < 30 ? 0xFFE0C020 : 0xFF20A0E0);
        EXPECT_TRUE(strip.WritePng(dir / "strip.png"));
        CObjectImageFile::SetProjectFolder(dir.path());
        roundTrip.compiler().AddTag(u"level", u"integer", 4, u"10");

        const int32_t types[] = {2, 2, 8, 8, 16};
        const gfx::Rect rects[] = {{10, 10, 110, 40}, {10, 50, 110, 80}, {120, 10, 220, 40}, {120, 50, 220, 80},
                                   {10, 100, 110, 130}};
        for (std::size_t i = 0; i < kCount; ++i) {
            objects.push_back(CEditorObject::CreateObject(types[i], &page));
            CEditorObject& object = *objects.back();
            object.FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"obj" + std::u16string(1, u'0' + i)));
            if (CPropertyBase* family = object.GetFormat().FindProperty(u"Format", u"Text"))
                family->SetValue(CPropertyValue(u"DejaVu Sans"));
            object.SetRect(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
            roundTrip.Add(object);
        }
        set(kPlain, u"Appearance", u"Text", u"Plain");
        set(kColours, u"Appearance", u"Text", u"Colours");
        set(kColours, u"Behavior", u"Nr of color states", u"2");
        set(kColours, u"Behavior", u"Extra text colors", list(u"ff|ff00|"));
        set(kMessages, u"Data", u"Value tag", u"level");
        set(kMessages, u"Behavior", u"Text messages", list(u"one|two|three|"));
        set(kEmpty, u"Behavior", u"Text messages", u"");
        set(kTicker, u"Appearance", u"Image", u"strip.png");
        set(kTicker, u"Behavior", u"Scrolling type", u"Rotating");
        set(kTicker, u"Behavior", u"Speed pixels", utf8ToWide(std::to_string(tickerSpeed)));
    }
    ~TextObjectsPage()
    {
        CObjectImageFile::SetProjectFolder({});
    }

    void set(std::size_t position, std::u16string_view category, std::u16string_view caption, std::u16string value)
    {
        objects[position]->FindProperty(category, caption)->SetValue(CPropertyValue(std::move(value)));
    }

    vx::test::TempDir dir;
    const CCompileStartup startup;
    CSelectable page{kPageObjectType};
    std::vector<std::unique_ptr<CEditorObject>> objects;
    ObjectRoundTrip roundTrip;
};

// The image chunk the page's picture primitive over rect shows; 0 for none.
uint32_t shownOver(ObjectRoundTrip& roundTrip, const DRect& rect)
{
    for (DBaseObject* primitive : roundTrip.engine().project.currentPage()->primitives())
        if (auto* picture = dynamic_cast<DBaseObject_UnscaledBitmap*>(primitive))
            if (picture->bounds() == rect)
                return picture->bitmap() ? picture->bitmap()->sourceOffset() : 0;
    return 0;
}

TEST(TextObjectsRoundTrip, EveryRecordMakesItsWidgetWithItsPicturesAndTag)
{
    TextObjectsPage page(5);
    ASSERT_EQ(page.roundTrip.Load(), 0);
    EXPECT_EQ(page.roundTrip.AlignmentMismatches(), 0u);

    const struct {
        Position position;
        uint32_t type;
        bool widget;
    } expected[] = {
        {kPlain, 2, true}, {kColours, 8, true}, {kMessages, 8, true}, {kEmpty, 0, false}, {kTicker, 16, true},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.position);
        EXPECT_EQ(page.roundTrip.TypeOf(e.position), e.type);
        EXPECT_EQ(page.roundTrip.Widget(e.position) != nullptr, e.widget);
        if (e.widget) {
            EXPECT_EQ(page.roundTrip.LoadStatus(e.position), 0);
        }
    }
    EXPECT_TRUE(page.roundTrip.WidgetAs<DCompositeObject_StaticText>(kPlain));
    EXPECT_TRUE(page.roundTrip.WidgetAs<DCompositeObject_MessageField>(kColours));
    EXPECT_TRUE(page.roundTrip.WidgetAs<DCompositeObject_MessageField>(kMessages));

    // The plain text shows its one picture.
    const auto text = classDataOf<target::StaticTextWords>(page.roundTrip.RecordOf(kPlain));
    EXPECT_NE(text.textImage, 0u);
    EXPECT_EQ(shownOver(page.roundTrip, {10, 10, 109, 39}), text.textImage);

    // The message field follows its tag through its three messages; one past the last shows the first.
    const auto data = classDataOf<target::MessageFieldClassData>(page.roundTrip.RecordOf(kMessages));
    ASSERT_EQ(data.head.count, 3u);
    const std::vector<uint32_t>& images = data.images;
    const target::TagReference tag = data.tail;
    ASSERT_FALSE(tag.isNone());
    EXPECT_EQ(std::set<uint32_t>(images.begin(), images.end()).size(), 3u);
    const DRect field{120, 10, 219, 39};
    EXPECT_EQ(shownOver(page.roundTrip, field), images[0]);
    for (const int32_t value : {2, 1, 3}) {
        page.roundTrip.engine().setTag(tag, value);
        page.roundTrip.engine().frame();
        EXPECT_EQ(shownOver(page.roundTrip, field), images[value < 3 ? value : 0]) << value;
    }

    // The ticker rotates by its speed each interval over a strip 300 wide in a window of 100.
    auto* ticker = page.roundTrip.WidgetAs<DCompositeObject_Ticker>(kTicker);
    ASSERT_TRUE(ticker);
    ASSERT_TRUE(ticker->scroller());
    EXPECT_EQ(ticker->scroller()->mode(), DBaseObject_ScrollingBitmap::Wrapping);
    EXPECT_EQ(ticker->scroller()->contentSize().width, 300);
    const int64_t before = ticker->position();
    page.roundTrip.engine().frames(10, 100);
    EXPECT_EQ(ticker->position() - before, 50);
}

TEST(TextObjectsRoundTrip, SixteenBitPicturesLoadAsWell)
{
    TextObjectsPage page(5, 16);
    ASSERT_EQ(page.roundTrip.Load(), 0);
    for (const Position position : {kPlain, kColours, kMessages, kTicker})
        EXPECT_EQ(page.roundTrip.LoadStatus(position), 0) << position;
    EXPECT_EQ(page.roundTrip.Widget(kEmpty), nullptr);
    // The strip's bands keep their colours to within the 5-6-5 steps.
    const PagePixels engine = page.roundTrip.RenderPage();
    const uint32_t band = engine.at(15, 115);
    EXPECT_NEAR(int(band >> 16 & 0xFF), 0xE0, 8);
    EXPECT_NEAR(int(band >> 8 & 0xFF), 0xC0, 4);
    EXPECT_NEAR(int(band & 0xFF), 0x20, 8);
}

// The largest difference of one colour channel between two pictures of one size, and the
// number of pixels that differ at all.
struct Difference {
    uint32_t largest = 0;
    std::size_t pixels = 0;
};
Difference compare(const PagePixels& a, const PagePixels& b)
{
    Difference difference;
    for (int32_t y = 0; y < a.height; ++y)
        for (int32_t x = 0; x < a.width; ++x) {
            const uint32_t p = a.at(x, y), q = b.at(x, y);
            uint32_t largest = 0;
            for (int shift = 0; shift < 24; shift += 8)
                largest = std::max<uint32_t>(largest, uint32_t(std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF))));
            difference.largest = std::max(difference.largest, largest);
            difference.pixels += largest != 0;
        }
    return difference;
}

// Where the pictures a test keeps lie: beside the build's tests.
std::filesystem::path keptPicture(const std::string& name)
{
    const std::filesystem::path folder = vx::test::screenshotFolder();
    return folder / name;
}

TEST(TextObjectsRoundTrip, TheEngineShowsWhatTheEditorPreviews)
{
    TextObjectsPage page(0);   // a ticker that stays, so every look sees the same page
    ASSERT_EQ(page.roundTrip.Load(), 0);
    const PagePixels engine = page.roundTrip.RenderPage();
    const PagePixels previews = page.roundTrip.ComposePreviews();
    EXPECT_TRUE(engine.WritePng(keptPicture("TextObjects-engine.png")));
    EXPECT_TRUE(previews.WritePng(keptPicture("TextObjects-previews.png")));

    // The same compiled pictures: only the blending of the text's soft edges over the
    // background differs, by the engine's x (256 - a) >> 8 against the editor's rounded
    // division by 255.
    const Difference headless = compare(engine, previews);
    EXPECT_LE(headless.largest, 2u);
    RecordProperty("edge_pixels_differing", int(headless.pixels));
    EXPECT_GT(previews.CountDifferences(PagePixels{engine.width, engine.height,
                                                   std::vector<uint32_t>(engine.argb.size(), ObjectRoundTrip::kBackground)}),
              1000u);   // the page shows its objects at all

    const PagePixels shot = vx::test::ScreenshotPage(page.roundTrip.Compile(), page.dir.path(), [&](const PagePixels& seen) {
        return seen.CountDifferences(engine) == 0;
    });
    ASSERT_FALSE(shot.empty()) << "the page never showed";
    EXPECT_TRUE(shot.WritePng(keptPicture("TextObjects-screen.png")));
    EXPECT_EQ(shot.CountDifferences(engine), 0u);
    EXPECT_LE(compare(shot, previews).largest, 2u);
}

} // namespace
