// Numeric, text and date/time fields as the editor compiles them, loaded by the engine:
// each record makes its widget, and the widget shows for the tag value the text the
// editor's preview shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/fields/CObjField.h"
#include "editor/project/compile/CCompileStartup.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/tags/DItem.h"
#include "engine/tags/DValue.h"
#include "engine/widgets/DCompositeObject_DateTimeField.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "engine/widgets/DCompositeObject_TextField.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;

// The list positions of the page's fields.
enum Position : std::size_t { kNumeric, kEditableNumeric, kText, kEditableText, kClock, kTwelveHour, kCount };

struct Place {
    int32_t type;
    int32_t left, top, right, bottom;
    const char16_t* tag;
};
constexpr Place kPlaces[kCount] = {
    {3, 10, 10, 150, 40, u"count"},     {4, 170, 10, 310, 40, u"setpoint"}, {5, 10, 60, 150, 90, u"label"},
    {6, 170, 60, 310, 90, u"name"},     {7, 10, 110, 150, 140, u"uptime"},  {7, 170, 110, 310, 140, u"clock"},
};

// 12:30 on 7 March 2024, UTC: the panel breaks the value down in UTC, the preview takes
// the local time it is given.
constexpr int32_t kHalfPastNoon = 1709769600 + (12 * 60 + 30) * 60;

std::tm halfPastNoon()
{
    std::tm time{};
    time.tm_year = 124;
    time.tm_mon = 2;
    time.tm_mday = 7;
    time.tm_hour = 12;
    time.tm_min = 30;
    return time;
}

class FieldObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& tags = roundTrip.compiler();
        tags.AddTag(u"count", u"integer", 4, u"100");
        tags.AddTag(u"setpoint", u"short", 2, u"104");
        tags.AddTag(u"label", u"UTF-16LE", 40, u"110");
        tags.AddTag(u"name", u"UTF-16LE", 40, u"150");
        tags.AddTag(u"uptime", u"integer", 4, u"200");
        tags.AddTag(u"clock", u"integer", 4, u"204");
        for (const Place& place : kPlaces) {
            auto object = CEditorObject::CreateObject(place.type, &page);
            fields.emplace_back(dynamic_cast<CObjField*>(object.release()));
            CObjField& field = *fields.back();
            field.GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
            field.GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(u"12"));
            field.FindProperty(u"Data", u"Value tag")->SetValue(CPropertyValue(place.tag));
            field.SetRect(place.left, place.top, place.right, place.bottom);
        }
        set(kNumeric, u"Leading zeros", u"Show");
        set(kEditableNumeric, u"Nr of decimal digits", u"2");
        set(kClock, u"DTC format", u"hh mm ss");
        set(kTwelveHour, u"DTC format", u"hh mm (AP) 12 hour");
        set(kTwelveHour, u"Separator", u" : ");
        for (auto& field : fields)
            roundTrip.Add(*field);
    }

    void set(Position position, std::u16string_view caption, std::u16string_view value)
    {
        fields[position]->FindProperty(u"Appearance", caption)->SetValue(CPropertyValue(value));
    }
    target::TagReference tag(Position position) { return roundTrip.compiler().tags.Resolve(kPlaces[position].tag); }
    std::u16string shown(Position position)
    {
        auto* field = roundTrip.WidgetAs<DCompositeObject_Field>(position);
        return field && field->textPrimitive() ? std::u16string(field->textPrimitive()->text().view()) : u"<none>";
    }
    void setString(Position position, std::u16string_view text)
    {
        std::vector<uint8_t> bytes;
        for (char16_t unit : text) {
            bytes.push_back(uint8_t(unit));
            bytes.push_back(uint8_t(unit >> 8));
        }
        bytes.resize(bytes.size() + 2);
        DValue& value = roundTrip.engine().item(tag(position))->value();
        value.setBytes(bytes);
        value.markWritten();
        roundTrip.engine().settle();
    }
    // Every tag given the value whose text the preview shows.
    void showSamples()
    {
        auto& engine = roundTrip.engine();
        engine.setTag(tag(kNumeric), CObjField::kSampleNumber);
        engine.setTag(tag(kEditableNumeric), CObjField::kSampleNumber);
        setString(kText, CObjField::kSampleText);
        setString(kEditableText, CObjField::kSampleText);
        engine.setTag(tag(kClock), int32_t(CObjField::kSampleClock));
        engine.setTag(tag(kTwelveHour), kHalfPastNoon);
        engine.frame();
    }

    const CCompileStartup startup;
    CSelectable page{kPageObjectType};
    std::vector<std::unique_ptr<CObjField>> fields;
    ObjectRoundTrip roundTrip;
};

TEST_F(FieldObjects, EveryRecordMakesItsWidgetWithTheCompiledWords)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    EXPECT_TRUE(roundTrip.compiler().output.lines.empty());
    for (std::size_t i = 0; i < kCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(roundTrip.TypeOf(i), uint32_t(kPlaces[i].type));
        EXPECT_EQ(roundTrip.LoadStatus(i), 0);
        auto* field = roundTrip.WidgetAs<DCompositeObject_Field>(i);
        ASSERT_NE(field, nullptr);
        ASSERT_NE(field->textPrimitive(), nullptr);
        const target::TagReference compiled = tag(Position(i));
        EXPECT_EQ(field->valueTag().controller, compiled.controller());
        EXPECT_EQ(field->valueTag().address, compiled.address());
        EXPECT_EQ(field->valueTag().size, compiled.valueSize());
        // The editable kinds take text entry, the others none.
        const bool editable = kPlaces[i].type == 4 || kPlaces[i].type == 6;
        EXPECT_EQ(field->editText() != nullptr, editable);
    }
    auto* numeric = roundTrip.WidgetAs<DCompositeObject_NumericField>(kNumeric);
    ASSERT_NE(numeric, nullptr);
    EXPECT_EQ(numeric->format().digits, 5u);
    EXPECT_EQ(numeric->format().decimals, 0u);
    EXPECT_TRUE(numeric->format().leadingZeros);
    auto* decimals = roundTrip.WidgetAs<DCompositeObject_NumericField>(kEditableNumeric);
    ASSERT_NE(decimals, nullptr);
    EXPECT_EQ(decimals->format().digits, 3u);
    EXPECT_EQ(decimals->format().decimals, 2u);
    EXPECT_EQ(decimals->format().multiplier, 1);
    EXPECT_EQ(decimals->format().divisor, 1);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_TextField>(kText), nullptr);
    EXPECT_NE(roundTrip.WidgetAs<DCompositeObject_TextField>(kEditableText), nullptr);
    auto* twelve = roundTrip.WidgetAs<DCompositeObject_DateTimeField>(kTwelveHour);
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->formatCode(), 0x10011u);
    EXPECT_EQ(twelve->separator(), u" : ");
}

TEST_F(FieldObjects, ThePanelShowsWhatThePreviewShows)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    showSamples();
    EXPECT_EQ(shown(kNumeric), u"00987");
    EXPECT_EQ(shown(kEditableNumeric), u"9.87");
    EXPECT_EQ(shown(kText), u"Dynamic text");
    EXPECT_EQ(shown(kClock), u"12:34:56");
    EXPECT_EQ(shown(kTwelveHour), u"12 : 30 pm");   // noon is 12 pm, not 00 am
    for (Position position : {kNumeric, kEditableNumeric, kText, kEditableText, kClock})
        EXPECT_EQ(shown(position), fields[position]->GetSampleText()) << position;
    EXPECT_EQ(shown(kTwelveHour), fields[kTwelveHour]->GetDateTimeSample(halfPastNoon()));
}

TEST_F(FieldObjects, AnEditedNumberIsWrittenBack)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    showSamples();
    auto& engine = roundTrip.engine();
    auto* field = roundTrip.WidgetAs<DCompositeObject_NumericField>(kEditableNumeric);
    ASSERT_NE(field, nullptr);
    DBaseObject_Text* text = field->editText();
    ASSERT_NE(text, nullptr);
    text->startEditing();
    for (uint32_t key : {8u, 8u, 8u, 8u, uint32_t(u'1'), uint32_t(u'2'), 13u})
        field->onKey(key);
    // Typed without a point, the number counts whole units: 12.00.
    EXPECT_EQ(engine.number(tag(kEditableNumeric)), 1200);
    engine.settle();
    engine.frame();
    EXPECT_EQ(shown(kEditableNumeric), u"12.00");
}

// The pixels of a field's inside that are not the background.
struct InkBox {
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
};
InkBox inkBox(const PagePixels& page, const Place& place)
{
    InkBox box;
    for (int32_t y = place.top + 1; y < place.bottom - 1; ++y)
        for (int32_t x = place.left + 1; x < place.right - 1; ++x)
            if ((page.at(x, y) & 0xFFFFFF) != (ObjectRoundTrip::kBackground & 0xFFFFFF)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}
uint32_t largestDifference(const PagePixels& a, const PagePixels& b, const Place& place)
{
    uint32_t largest = 0;
    for (int32_t y = place.top + 1; y < place.bottom - 1; ++y)
        for (int32_t x = place.left + 1; x < place.right - 1; ++x)
            for (int shift : {0, 8, 16}) {
                const int32_t one = int32_t(a.at(x, y) >> shift & 0xFF), other = int32_t(b.at(x, y) >> shift & 0xFF);
                largest = std::max(largest, uint32_t(std::abs(one - other)));
            }
    return largest;
}

// The page as the engine program shows it under Xvfb, against the editor's previews.
// The fields compile no picture: the panel draws their text from the tag at run time, so
// the program (whose tags start at 0 and empty) shows other texts than the previews. The
// program is compared with the headless engine, and the headless engine given the sample
// values with the previews: the same page outside the fields, the hatched frame the page
// view's alone, the texts in the same place. The texts' edge pixels differ: the preview
// takes the glyph picture, whose colours already carry the coverage, as straight and
// multiplies them by it once more, so its edges come out darker than the panel's.
TEST_F(FieldObjects, ScreenshotMatchesThePreviewsOutsideTheFieldsTexts)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    const PagePixels engineAtZero = roundTrip.RenderPage();
    vx::test::TempDir dir;
    const PagePixels shot = vx::test::ScreenshotPage(roundTrip.Compile(), dir.path(), [&](const PagePixels& page) {
        return page.CountDifferences(engineAtZero) == 0;
    });
    ASSERT_FALSE(shot.empty());
    const std::filesystem::path kept = vx::test::screenshotFolder();
    EXPECT_TRUE(shot.WritePng(kept / "field-objects-engine.png"));
    // The program draws what the headless engine draws, pixel for pixel.
    EXPECT_EQ(shot.CountDifferences(engineAtZero), 0u);

    const PagePixels previews = roundTrip.ComposePreviews();
    EXPECT_TRUE(previews.WritePng(kept / "field-objects-previews.png"));
    showSamples();
    const PagePixels engineSamples = roundTrip.RenderPage();
    EXPECT_TRUE(engineSamples.WritePng(kept / "field-objects-engine-samples.png"));
    // By field: inside its frame, and on the frame.
    std::size_t outside = 0;
    std::size_t frames[kCount] = {}, inside[kCount] = {};
    for (int32_t y = 0; y < previews.height; ++y)
        for (int32_t x = 0; x < previews.width; ++x) {
            const bool differs = (previews.at(x, y) & 0xFFFFFF) != (engineSamples.at(x, y) & 0xFFFFFF);
            std::size_t in = kCount;
            for (std::size_t i = 0; i < kCount; ++i)
                if (x >= kPlaces[i].left && x < kPlaces[i].right && y >= kPlaces[i].top && y < kPlaces[i].bottom)
                    in = i;
            if (in == kCount)
                outside += differs;
            else if (x == kPlaces[in].left || x == kPlaces[in].right - 1 || y == kPlaces[in].top
                     || y == kPlaces[in].bottom - 1)
                frames[in] += differs;
            else
                inside[in] += differs;
        }
    EXPECT_EQ(outside, 0u);
    for (std::size_t i = 0; i < kCount; ++i) {
        const Place& place = kPlaces[i];
        // Every frame pixel differs: the hatched frame is the page view's alone.
        EXPECT_EQ(frames[i], 2 * std::size_t(place.right - place.left) + 2 * std::size_t(place.bottom - place.top - 2));
        const InkBox preview = inkBox(previews, place), panel = inkBox(engineSamples, place);
        // The text stands in the same place; the 12-hour preview shows the time it is now.
        if (i != kTwelveHour) {
            EXPECT_EQ(preview.left, panel.left) << i;
            EXPECT_EQ(preview.top, panel.top) << i;
            EXPECT_EQ(preview.right, panel.right) << i;
            EXPECT_EQ(preview.bottom, panel.bottom) << i;
        }
        std::printf("field %zu: %zu pixels differ inside the frame; ink %d,%d-%d,%d in the preview, %d,%d-%d,%d on the "
                    "panel; largest channel difference %u\n",
                    i, inside[i], preview.left, preview.top, preview.right, preview.bottom, panel.left, panel.top,
                    panel.right, panel.bottom, largestDifference(previews, engineSamples, place));
    }
}

} // namespace
