#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "tests/support/engine/ScrollingWidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kBackground = 0xFF204060;
const TagReference kValue = localTag(7);

// A picture of width x height whose pixel (x, y) is colour(x, y), uncompressed.
uint32_t pattern(TargetBuilder& builder, uint32_t width, uint32_t height,
                 const std::function<uint32_t(uint32_t, uint32_t)>& colour)
{
    std::vector<uint32_t> pixels;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            pixels.push_back(colour(x, y));
    return builder.image(width, height, pixels, ImageCompression::None);
}

class PrimitivePixels;
using Page = TargetBuilder::Page;
using Widgets = std::function<void(Page&)>;

struct PixelCase {
    const char* name;
    ElementKind kind; // a primitive of this kind is on the page
    // Writes the pictures the widgets use and returns the writer of the widgets, which
    // come before the page's background.
    std::function<Widgets(TargetBuilder&)> build;
    // What happens between loading and the frame whose picture is pinned.
    std::function<void(PrimitivePixels&)> drive;
    uint32_t crc;
};

void PrintTo(const PixelCase& c, std::ostream* out)
{
    *out << c.name;
}

class PrimitivePixels : public ScrollingWidgetHarness, public testing::WithParamInterface<PixelCase> {
public:
    using ScrollingWidgetHarness::frame;
    using ScrollingWidgetHarness::setNumber;

    // The top left of the target as a map, one letter a colour and '.' the background,
    // for a failure's message.
    std::string map()
    {
        std::vector<uint32_t> colours{kBackground};
        std::string lines;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 48; ++x) {
                const uint32_t p = pixel(x, y);
                const auto at = std::find(colours.begin(), colours.end(), p);
                const std::size_t i = std::size_t(at - colours.begin());
                if (at == colours.end())
                    colours.push_back(p);
                lines += i == 0 ? '.' : i < 27 ? char('a' + i - 1) : i < 53 ? char('A' + i - 27) : '?';
            }
            lines += '\n';
        }
        for (std::size_t i = 1; i < colours.size() && i < 53; ++i) {
            char legend[16];
            std::snprintf(legend, sizeof legend, "%c=%08X ", i < 27 ? char('a' + i - 1) : char('A' + i - 27),
                          colours[i]);
            lines += legend;
        }
        return lines;
    }
};

// A meter turning clockwise from straight down, 3 degrees a unit, about (12, 12); a
// triangle needle has a tip radius of 10.
DCompositeObject_Meter::Words meterWords(uint32_t needle)
{
    DCompositeObject_Meter::Words words;
    words.needle = needle;
    words.needleColour = 0xFFFF0000u;
    words.direction = DCompositeObject_Meter::kClockwise;
    words.angles = packHalves(0, 270);
    words.pivot = packHalves(12, 12);
    words.needlePivot = packHalves(3, 10);
    words.minimum = 0;
    words.maximum = 90;
    return words;
}

// A strip of 12 x 8 for the ticker: column x in its own colour.
uint32_t strip(TargetBuilder& builder)
{
    return pattern(builder, 12, 8, [](uint32_t x, uint32_t) { return 0xFF000000u | (x + 1) * 0x14u << 8; });
}

// Each picture over the background of the whole 64 x 64 target.
const PixelCase kCases[] = {
    // Nothing: the background alone, though the rectangle's primitive is on the page.
    {"InvisibleRect", ElementKind::InvisibleRect,
     [](TargetBuilder&) -> Widgets {
         return [](Page& page) {
             page.object(uint32_t(WidgetType::Rectangle), [&](DRIFFFile& file) {
                 writeRecord(file, RectangleWords{0xFFFF8000});
                 page.element(ElementKind::InvisibleRect, 4, 6, 20, 14, kElementFlagVisible | kElementFlagTouchable);
             });
         };
     },
     {}, 0x585128D8},
    // An orange 16 x 8 block at (4, 6).
    {"SolidRect", ElementKind::SolidRect,
     [](TargetBuilder&) -> Widgets {
         return [](Page& page) { vx::test::writeRectangle(page, 0xFFFF8000, {4, 6, 20, 14}); };
     },
     {}, 0x39466E68},
    // An 8 x 6 picture at (3, 5): three rows of red and blue ramps, then three of half
    // transparent green blended into the background (0xFF10A030).
    {"UnscaledBitmap", ElementKind::UnscaledBitmap,
     [](TargetBuilder& builder) -> Widgets {
         const uint32_t image = pattern(builder, 8, 6, [](uint32_t x, uint32_t y) {
             return y < 3 ? 0xFF000000u | x * 0x20u << 16 | y * 0x40u : 0x80008000u;
         });
         return [=](Page& page) { vx::test::writeStaticImage(page, image, {3, 5, 11, 11}); };
     },
     {}, 0xC5FADB2D},
    // A 3 x 8 needle picture turned a quarter clockwise about (12, 12): lying leftward over
    // x 5 to 13, rows 11 to 13, each source pixel also copied to its right (so the tip's
    // colour fills x 5 and 6).
    {"RotatingBitmap", ElementKind::RotatingBitmap,
     [](TargetBuilder& builder) -> Widgets {
         DCompositeObject_Meter::Words words = meterWords(0);
         words.needle = pattern(builder, 3, 8, [](uint32_t x, uint32_t y) {
             return 0xFF000000u | (y + 1) * 0x1Eu << 16 | (x + 1) * 0x50u;
         });
         words.needleColour = 0;
         words.needlePivot = packHalves(1, 0);
         return [=](Page& page) {
             vx::test::writeMeter(page, {words, kValue, 1, ElementKind::RotatingBitmap, {0, 0, 24, 24}});
         };
     },
     [](PrimitivePixels& run) { run.setNumber(kValue, 30); }, 0x1A60B86C},
    // A needle pointing left from (12, 12): tip at (2, 12), base on x 16 from row 9 to 15;
    // a half alpha rim round a full red core from x 7 to 15.
    {"SolidTriangle", ElementKind::SolidTriangle,
     [](TargetBuilder&) -> Widgets {
         return [](Page& page) {
             vx::test::writeMeter(page, {meterWords(packHalves(6, 14)), kValue, 1, ElementKind::SolidTriangle,
                                         {0, 0, 24, 24}});
         };
     },
     [](PrimitivePixels& run) { run.setNumber(kValue, 30); }, 0x401A9B52},
    // "42" in 20 pixel DejaVu Sans, black, anti-aliased, at the left of (2, 2, 42, 26) and
    // centred in its height: rows 6 to 20.
    {"Text", ElementKind::Text,
     [](TargetBuilder& builder) -> Widgets {
         const uint32_t font = builder.font(vx::test::sansBytes());
         return [=](Page& page) {
             vx::test::FieldRecord field;
             field.format.digits = 3;
             field.tag = kValue;
             field.rect = {2, 2, 42, 26};
             vx::test::writeField(page, font, field);
         };
     },
     [](PrimitivePixels& run) { run.setNumber(kValue, 42); }, 0x83A1E3A2},
    // An 8 x 8 window at (4, 4) on a 12 pixel wide strip moved on by 5 and wrapped:
    // columns 5 to 11, then column 0 at the right edge.
    {"ScrollingBitmap", ElementKind::ScrollingBitmap,
     [](TargetBuilder& builder) -> Widgets {
         const uint32_t image = strip(builder);
         return [=](Page& page) {
             vx::test::writeTicker(page, {5, 100, 4, image, ScrollingWords::kModeWrapping, {4, 4, 12, 12}});
         };
     },
     {}, 0x8C7E2308},
    // Three 10 pixel rows of a list at (2, 2), each its own red row picture on its left half over
    // the row background: blue for the first (selected) row, grey for the others.
    {"ScrollingList", ElementKind::ScrollingList,
     [](TargetBuilder& builder) -> Widgets {
         const uint32_t normal = ScrollingWidgetHarness::solidImage(builder, 40, 10, 0xFF404040);
         const uint32_t selected = ScrollingWidgetHarness::solidImage(builder, 40, 10, 0xFF0000FF);
         std::vector<uint32_t> rows;
         for (uint32_t i = 0; i < 4; ++i)
             rows.push_back(ScrollingWidgetHarness::solidImage(builder, 20, 10, 0xFF000000u | (i + 1) * 0x30u << 16));
         return [=](Page& page) {
             vx::test::ListboxRecord box;
             box.normal = normal;
             box.selected = selected;
             box.rows = rows;
             box.list.area = {2, 2, 42, 32};
             box.list.maximum = 4;
             box.list.rowHeight = 10;
             vx::test::writeListbox(page, box);
         };
     },
     {}, 0xE05F7AC6},
    // A yellow line through the last five of ten samples, 4 pixels apart on a 40 x 16 plot
    // at (2, 20): 0 and 0 on the bottom row (x 22 and 26), 50 at (30, 28), 100 on the top
    // row at x 34, 25 at (38, 32).
    {"Graph", ElementKind::Graph,
     [](TargetBuilder&) -> Widgets {
         return [](Page& page) {
             vx::test::TrendRecord trend;
             trend.words.lineColour = 0xFFFFFF00;
             trend.words.mode = TrendWords::kModeLine;
             trend.words.sampleRate = 10;
             trend.words.step = 4;
             trend.words.minimum = 0;
             trend.words.maximum = 100;
             trend.tag = kValue;
             trend.plot = {2, 20, 42, 36};
             trend.frameArea = trend.plot;
             vx::test::writeTrend(page, trend);
         };
     },
     // The first frame sampled 0 already.
     [](PrimitivePixels& run) {
         for (const int32_t value : {0, 50, 100, 25}) {
             run.setNumber(kValue, value);
             run.frame(100);
         }
     },
     0x5A2F5852},
};

} // namespace

TEST_P(PrimitivePixels, DrawTheirPicture)
{
    const PixelCase& c = GetParam();
    TargetBuilder builder(kWidth, kHeight, 1);
    const auto widgets = c.build(builder);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        widgets(page);
        page.backgroundColour(kBackground, kWidth, kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    const auto& primitives = project.currentPage()->primitives();
    EXPECT_TRUE(std::any_of(primitives.begin(), primitives.end(),
                            [&](const DBaseObject* primitive) { return primitive->typeId() == uint32_t(c.kind); }));
    frame();
    if (c.drive)
        c.drive(*this);
    frame();
    const uint32_t crc = crcOf({0, 0, kWidth - 1, kHeight - 1});
    EXPECT_EQ(crc, c.crc) << std::hex << "0x" << crc << "\n" << map();
}

INSTANTIATE_TEST_SUITE_P(Primitives, PrimitivePixels, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// A primitive record of a kind without a class: its size word and kind, then what the
// size covers: a solid rectangle's record over the page (read as the next record, it would
// cover the page) and words after it.
struct UnknownKindCase {
    const char* name;
    uint32_t kind;
    uint32_t size; // counted from the record's start
    bool rectangle;
    std::vector<uint32_t> tail;
};

const ElementRecord kRectangle =
    makeElementRecord(ElementKind::SolidRect, 0, 0, ScrollingWidgetHarness::kWidth, ScrollingWidgetHarness::kHeight,
                      kElementFlagVisible);
constexpr uint32_t kOverRectangle = ElementRecordPrefix::kSize + ElementRecord::kSize;

const UnknownKindCase kUnknownKinds[] = {
    {"KindFour", 4, kOverRectangle, true, {}},
    {"KindZero", 0, kOverRectangle + 2 * kWordSize, true, {0xDEADBEEF, 7}},
    {"PastTheLastKind", uint32_t(ElementKind::ScrollingList) + 1, kOverRectangle, true, {}},
    {"TopBitKind", 0x80000000u, kOverRectangle, true, {}},
    // A size below the two words it has: nothing follows them, as with the placeholder.
    {"SizeShorterThanItsWords", uint32_t(ElementKind::ScrollingList) + 1, ElementRecordPrefix::kSize - kWordSize,
     false, {}},
};

void PrintTo(const UnknownKindCase& c, std::ostream* out)
{
    *out << c.name;
}

class UnknownPrimitiveKind : public ScrollingWidgetHarness, public testing::WithParamInterface<UnknownKindCase> {};

} // namespace

// The meter's needle is the unknown record; its dial after it, and the next widget, still
// load and draw.
TEST_P(UnknownPrimitiveKind, IsSkippedToItsEnd)
{
    const UnknownKindCase& c = GetParam();
    constexpr uint32_t kDial = 0xFF00A000, kBlock = 0xFFFF8000;
    TargetBuilder builder(kWidth, kHeight, 1);
    DCompositeObject_Meter::Words words = meterWords(0);
    words.dialImage = solidImage(builder, 24, 24, kDial);
    builder.page(uint32_t(PageType::Normal), -1, [&](Page& page) {
        page.object(uint32_t(WidgetType::Meter), [&](DRIFFFile& file) {
            writeRecord(file, words);
            writeRecord(file, kValue);
            writeWord(file, 1);
            writeRecord(file, ElementRecordPrefix{c.size, c.kind});
            if (c.rectangle)
                writeRecord(file, kRectangle);
            writeWords(file, c.tail);
            vx::test::writeElement(page, ElementKind::UnscaledBitmap, {0, 0, 24, 24}, kElementFlagVisible);
        });
        vx::test::writeRectangle(page, kBlock, {30, 30, 40, 40});
        page.backgroundColour(kBackground, kWidth, kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    const auto& primitives = project.currentPage()->primitives();
    ASSERT_EQ(primitives.size(), 3u); // dial, block, background
    EXPECT_EQ(primitives[0]->typeId(), uint32_t(ElementKind::UnscaledBitmap));
    EXPECT_EQ(primitives[0]->bounds(), (DRect{0, 0, 23, 23}));
    frame();
    EXPECT_EQ(pixel(0, 0), kDial);
    EXPECT_EQ(pixel(23, 23), kDial);
    EXPECT_EQ(pixel(24, 24), kBackground);
    EXPECT_EQ(pixel(35, 35), kBlock);
}

INSTANTIATE_TEST_SUITE_P(Primitives, UnknownPrimitiveKind, testing::ValuesIn(kUnknownKinds),
                         [](const auto& info) { return std::string(info.param.name); });
