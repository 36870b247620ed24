// Rows of a dynamic list box are drawn as its text template would draw itself.
#include <gtest/gtest.h>

#include "engine/widgets/DCompositeObject_DynamicListbox.h"
#include "tests/support/engine/ScrollingWidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

const TagReference kRowTexts = localTag(2, 11 /* UTF-16LE */, 16);

struct AlignmentCase {
    uint32_t alignment;
    int lowest, highest; // where the ink's middle column may lie
};

class DynamicListboxTextTest : public ScrollingWidgetHarness, public testing::WithParamInterface<AlignmentCase> {
protected:
    // One row of "I" in black on white, 64 wide, the template aligned as asked.
    void show(uint32_t alignment)
    {
        TargetBuilder builder(kWidth, kHeight, 1);
        const uint32_t font = builder.font(vx::test::sansBytes());
        builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
            vx::test::DynamicListboxRecord box;
            box.separator = u'/';
            box.items = kRowTexts;
            box.list.area = {0, 0, kWidth - 1, 19};
            box.list.maximum = 4;
            box.list.rowHeight = 20;
            box.text.fontReference = font;
            box.text.pixelSize = 16;
            box.text.color = 0xFF000000;
            TextStyle style;
            style.alignment = alignment;
            box.text.style = style.word();
            vx::test::writeDynamicListbox(page, box);
            page.backgroundColour(0xFFFFFFFF, kWidth, kHeight);
        });
        ASSERT_EQ(load(builder.finish()), 0);
        frame(0);
        DItem* tag = item(kRowTexts);
        ASSERT_NE(tag, nullptr);
        const std::vector<uint8_t> text{'I', 0};
        tag->value().setBytes(text);
        tag->value().markWritten();
        frame();
    }
    // The first and last column of the row holding dark ink, or {-1, -1}.
    std::pair<int, int> inkColumns()
    {
        int first = -1, last = -1;
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < 20; ++y)
                if ((pixel(x, y) & 0xFF) < 0x80) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
};

} // namespace

TEST_P(DynamicListboxTextTest, RowsTakeTheTemplatesAlignment)
{
    show(GetParam().alignment);
    const auto [first, last] = inkColumns();
    ASSERT_GE(first, 0) << "the row drew no text";
    EXPECT_LT(last - first, 6) << "more than one letter's ink";
    const int middle = (first + last) / 2;
    EXPECT_GE(middle, GetParam().lowest);
    EXPECT_LE(middle, GetParam().highest);
}

INSTANTIATE_TEST_SUITE_P(LeftCentreRight, DynamicListboxTextTest,
                         testing::Values(AlignmentCase{0, 0, 8},
                                         AlignmentCase{1, ScrollingWidgetHarness::kWidth / 2 - 4,
                                                       ScrollingWidgetHarness::kWidth / 2 + 4},
                                         AlignmentCase{2, ScrollingWidgetHarness::kWidth - 9,
                                                       ScrollingWidgetHarness::kWidth - 1}));
