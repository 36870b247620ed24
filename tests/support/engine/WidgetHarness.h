#pragma once
// A project of one built page on a fake clock, a memory file, a bitmap renderer and a
// null display, with a local tag controller: set a tag, let the controller tell the
// widgets, draw, and probe the pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "foundation/target/TargetTag.h"
#include "tests/support/engine/EngineHarness.h"

class WidgetHarness : public testing::Test, public EngineHarness<128, 64, 2> {
public:

    static target::TagReference localTag(uint32_t address)
    {
        return target::TagReference::make(target::Controller::Local, address, target::kValueType32, 4);
    }

protected:
    // The display is the target's size.
    int load(std::vector<uint8_t> bytes) { return EngineHarness::load(std::move(bytes), {kWidth, kHeight}); }

    template <class Widget>
    Widget* widget(std::size_t number)
    {
        return currentWidget<Widget>(project, number);
    }

    DItem* tag(uint32_t address)
    {
        DItemDescriptor descriptor;
        descriptor.controller = DItemDescriptor::kLocal;
        descriptor.address = address;
        descriptor.type = uint8_t(DValue::kInteger);
        descriptor.size = 4;
        return local.findItem(descriptor);
    }

    // Writes the tag as the tags dialog or an action would; the next update tells the widgets.
    void setTag(uint32_t address, int32_t value)
    {
        DItem* item = tag(address);
        ASSERT_NE(item, nullptr);
        item->value().setNumber(value);
        item->value().markWritten();
        local.update(platform.now);
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

    DController_Local& local = controllers[1];
};
