#pragma once
// The engine harness on a 128 x 64 target and a display of the same size, for the
// widgets that show a tag's value: set a tag, draw, and probe the pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "foundation/target/TargetPage.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/TargetBuilder.h"

class WidgetHarness : public testing::Test, public EngineHarness<128, 64, 2> {
public:
    // The builder's one page, of the harness's size: the records that write puts, over a background.
    static std::vector<uint8_t> finishPage(vx::test::TargetBuilder& builder, uint32_t background,
                                           const std::function<void(vx::test::TargetBuilder::Page&)>& write)
    {
        builder.page(uint32_t(target::PageType::Normal), -1, [&](vx::test::TargetBuilder::Page& page) {
            write(page);
            page.backgroundColour(background, kWidth, kHeight);
        });
        return builder.finish();
    }

protected:
    // The display is the target's size.
    int load(std::vector<uint8_t> bytes) { return EngineHarness::load(std::move(bytes), {kWidth, kHeight}); }

    DItem* tag(uint32_t address) { return item(localTag(address)); }
    using EngineHarness::setTag;
    void setTag(uint32_t address, int32_t value)
    {
        ASSERT_NE(tag(address), nullptr);
        setTag(localTag(address), value);
    }

    // The current page's widget of that number as the class the test built; a failure where it is not.
    template <class Widget>
    Widget* expectWidget(std::size_t number = 0)
    {
        auto* found = widget<Widget>(number);
        EXPECT_NE(found, nullptr);
        return found;
    }

    // A thumb moved by setting its tag or by a click at a point.
    struct ThumbMove {
        bool drag; // else the tag is set
        int32_t value;
        DPoint point;
    };
    // Makes each move, draws the frame, and checks that the thumb went somewhere else and
    // that every pixel of the target is the thumb's colour inside its new place and
    // under(x, y) outside it: nothing is left behind where it was.
    template <class ThumbOf, class Under>
    void expectThumbMovesLeaveNoTrace(std::span<const ThumbMove> moves, uint32_t valueTag, ThumbOf thumbOf,
                                      uint32_t thumbColour, Under under)
    {
        for (const ThumbMove& move : moves) {
            SCOPED_TRACE(testing::Message() << (move.drag ? "drag" : "tag") << " " << move.value);
            const DRect before = thumbOf()->bounds();
            if (move.drag) {
                project.onPointerDown(move.point);
                project.onPointerUp(move.point);
            } else {
                setTag(valueTag, move.value);
            }
            project.render();
            const DRect thumb = thumbOf()->bounds();
            ASSERT_NE(thumb, before);
            int wrong = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    wrong += pixel(x, y) != (thumb.contains({x, y}) ? thumbColour : under(x, y));
            EXPECT_EQ(wrong, 0);
        }
    }
};
