#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "engine/primitives/DBaseObject_ScrollingBitmap.h"
#include "engine/core/DFile_Memory.h"
#include "engine/render/DRendererBitmap.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetElement.h"
#include "tests/support/TargetBuilder.h"

using namespace target;

namespace {

using vx::test::ByteWriter;

constexpr uint32_t kWrap = ScrollingWords::kModeWrapping, kClamp = ScrollingWords::kModeScrolling;

// A scrolling element over a 10 x 10 window at (0, 0), made through the factory.
std::unique_ptr<DBaseObject_ScrollingBitmap> scroller(uint32_t mode, uint32_t flags = kElementFlagVisible)
{
    ByteWriter writer;
    writeRecord(writer, makeElementRecord(ElementKind::ScrollingBitmap, 0, 0, 10, 10, flags));
    ScrollingWords words;
    words.mode = mode;
    writeRecord(writer, words);
    DFile_Memory file(writer.out);
    EXPECT_EQ(file.open(DString(u"element")), DStatus::Ok);
    DBaseObject* primitive = DBaseObject::create(nullptr, nullptr, file);
    EXPECT_EQ(file.tell(), writer.out.size());
    return std::unique_ptr<DBaseObject_ScrollingBitmap>(dynamic_cast<DBaseObject_ScrollingBitmap*>(primitive));
}

struct PositionCase {
    const char* name;
    uint32_t mode;
    DSize content;
    DSize period;
    DSize margins;
    DPoint requested;
    DPoint expected;
};

const PositionCase kPositionCases[] = {
    {"WrapMinusPeriodPlusOne", kWrap, {20, 10}, {20, 0}, {}, {-19, 0}, {1, 0}},
    {"WrapMinusPeriod", kWrap, {20, 10}, {20, 0}, {}, {-20, 0}, {0, 0}},
    {"WrapBeyondPeriod", kWrap, {20, 10}, {20, 0}, {}, {45, 0}, {5, 0}},
    {"WrapTwoPeriodsStopsAtPeriod", kWrap, {20, 10}, {20, 0}, {}, {40, 0}, {20, 0}},
    {"WrapFarAway", kWrap, {20, 10}, {20, 0}, {}, {INT32_MIN, 0}, {12, 0}},
    {"WrapAlongY", kWrap, {10, 30}, {0, 30}, {}, {0, -1}, {0, 29}},
    {"WrapWindowWideStripCycles", kWrap, {10, 10}, {10, 0}, {}, {7, 0}, {7, 0}},
    {"WrapSmallContentStays", kWrap, {5, 10}, {5, 0}, {}, {3, 0}, {0, 0}},
    {"WrapWithoutPeriodStays", kWrap, {20, 10}, {0, 0}, {}, {3, 0}, {0, 0}},
    {"ClampFarEdge", kClamp, {20, 10}, {}, {}, {15, 0}, {10, 0}},
    {"ClampNearEdge", kClamp, {20, 10}, {}, {}, {-3, 0}, {0, 0}},
    {"ClampNearMargin", kClamp, {10, 20}, {}, {0, 2}, {0, -5}, {0, -2}},
    {"ClampFarMargin", kClamp, {10, 20}, {}, {0, 2}, {0, 15}, {0, 12}},
    {"ClampFittingContentStays", kClamp, {10, 10}, {}, {}, {5, 5}, {0, 0}},
    {"ClampFarAway", kClamp, {20, 10}, {}, {}, {INT32_MAX, INT32_MIN}, {10, 0}},
};

class ScrollPosition : public testing::TestWithParam<PositionCase> {};

} // namespace

TEST_P(ScrollPosition, WrapsOrClamps)
{
    const PositionCase& c = GetParam();
    auto bitmap = scroller(c.mode);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->mode(), c.mode);
    bitmap->setContentSize(c.content);
    bitmap->setWrapPeriod(c.period);
    bitmap->setMargins(c.margins);
    bitmap->setScrollPosition(c.requested);
    EXPECT_EQ(bitmap->scrollPosition(), c.expected);
    const DRect content = bitmap->content();
    EXPECT_EQ(content.left, -c.expected.x);
    EXPECT_EQ(content.top, -c.expected.y);
    EXPECT_EQ(content.width(), c.content.width);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScrollPosition, testing::ValuesIn(kPositionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScrollingBitmap, LoadsItsModeAndStartsWithTheWindowAsContent)
{
    auto bitmap = scroller(kWrap);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->typeId(), uint32_t(ElementKind::ScrollingBitmap));
    EXPECT_EQ(bitmap->contentSize(), (DSize{10, 10}));
    EXPECT_EQ(bitmap->scrollPosition(), (DPoint{0, 0}));
}

TEST(ScrollingBitmap, TruncatedModeWordFailsTheLoad)
{
    ByteWriter writer;
    auto record = makeElementRecord(ElementKind::ScrollingBitmap, 0, 0, 10, 10, kElementFlagVisible);
    record.recordSize = ElementRecord::kSize; // no room for the mode word
    writeRecord(writer, record);
    writeRecord(writer, ScrollingWords{kWrap});
    DFile_Memory file(writer.out);
    ASSERT_EQ(file.open(DString(u"element")), DStatus::Ok);
    std::unique_ptr<DBaseObject> primitive(DBaseObject::create(nullptr, nullptr, file));
    auto* bitmap = dynamic_cast<DBaseObject_ScrollingBitmap*>(primitive.get());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->mode(), 0u);
    EXPECT_EQ(file.tell(), ElementRecord::kSize);
}

// A strip of 20 columns, column c of colour 0xFF000000 | c, behind a 10-pixel window.
class ScrollingBitmapDraw : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(renderer.init(nullptr, nullptr, 16, 12), 0);
        ASSERT_EQ(strip.allocate({20, 10}, 4), 0);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                reinterpret_cast<uint32_t*>(strip.row(y))[x] = 0xFF000000u | uint32_t(x + 1);
    }
    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(renderer.target()->row(y))[x]; }
    std::vector<uint32_t> row(int y)
    {
        std::vector<uint32_t> values;
        for (int x = 0; x < 16; ++x)
            values.push_back(pixel(x, y));
        return values;
    }

    DRendererBitmap renderer;
    DBitmap strip;
};

TEST_F(ScrollingBitmapDraw, WrappingFillsTheWindowWithTheNextPeriod)
{
    auto bitmap = scroller(kWrap);
    bitmap->setBitmap(&strip);
    bitmap->setContentSize({20, 10});
    bitmap->setWrapPeriod({20, 10});
    bitmap->setScrollPosition({15, 0});
    bitmap->draw(renderer, {0, 0, 15, 11});
    std::vector<uint32_t> expected;
    for (int x = 0; x < 10; ++x)
        expected.push_back(0xFF000000u | uint32_t((15 + x) % 20 + 1));
    expected.resize(16, 0); // nothing outside the window
    EXPECT_EQ(row(0), expected);
    EXPECT_EQ(row(9), expected);
    EXPECT_EQ(pixel(0, 10), 0u);
}

TEST_F(ScrollingBitmapDraw, ClampedDrawsOnlyTheContentAndOnlyIntoTheDirtyArea)
{
    auto bitmap = scroller(kClamp);
    bitmap->setBitmap(&strip);
    bitmap->setContentSize({20, 10});
    bitmap->setScrollPosition({10, 0});
    bitmap->draw(renderer, {2, 0, 4, 3});
    EXPECT_EQ(pixel(1, 0), 0u);
    EXPECT_EQ(pixel(2, 0), 0xFF000000u | 13);
    EXPECT_EQ(pixel(4, 3), 0xFF000000u | 15);
    EXPECT_EQ(pixel(5, 0), 0u);
    EXPECT_EQ(pixel(2, 4), 0u);
}

TEST_F(ScrollingBitmapDraw, FocusFrameFollowsTheWindowEdges)
{
    auto bitmap = scroller(kClamp);
    bitmap->setBitmap(&strip);
    bitmap->setFocused(true);
    bitmap->draw(renderer, {0, 0, 15, 11});
    EXPECT_EQ(pixel(5, 0), DBaseObject::kFocusColour);
    EXPECT_EQ(pixel(9, 5), DBaseObject::kFocusColour);
    EXPECT_EQ(pixel(5, 5), 0xFF000000u | 6);
}
