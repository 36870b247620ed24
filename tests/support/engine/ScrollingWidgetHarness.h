#pragma once
// A project loaded from a built target file, with three local controllers standing for
// the system, local and memory ones, a bitmap renderer, a null display and a fake clock;
// frames run the engine loop's steps in its order.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/tags/DItem.h"
#include "foundation/DCRC32.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/TargetBuilder.h"

class ScrollingWidgetHarness : public testing::Test, public EngineHarness<64, 64, 3> {
public:

    // A local tag, as class words write it.
    static target::TagReference localTag(uint32_t address, uint32_t type = target::kValueType32, uint32_t size = 4)
    {
        return target::TagReference::make(target::Controller::Local, address, type, size);
    }
    // One colour filling an image of width x height, as an image chunk.
    static uint32_t solidImage(vx::test::TargetBuilder& builder, uint32_t width, uint32_t height, uint32_t argb)
    {
        const std::vector<uint32_t> pixels(std::size_t(width) * height, argb);
        return builder.image(width, height, pixels, target::ImageCompression::None);
    }


protected:
    // One turn of the engine loop after ms milliseconds: controllers, drawing, time work.
    void frame(uint32_t ms = 10)
    {
        platform.now += ms;
        for (DController_Local& controller : controllers)
            controller.update(platform.now);
        project.render();
        project.tickTime(platform.now);
    }
    void frames(int count, uint32_t ms = 10)
    {
        for (int i = 0; i < count; ++i)
            frame(ms);
    }

    template <class Widget>
    Widget* widget(std::size_t number)
    {
        auto& widgets = project.currentPage()->widgets();
        return number < widgets.size() ? dynamic_cast<Widget*>(widgets[number]) : nullptr;
    }

    // The item behind a tag reference.
    DItem* item(const target::TagReference& reference)
    {
        DItemDescriptor descriptor = DItemDescriptor::fromReference(reference);
        return controllers[descriptor.controller].findItem(descriptor);
    }
    // Sets a number tag as an action would; it reaches the widgets at the next frame.
    void setNumber(const target::TagReference& reference, int32_t number)
    {
        DItem* tag = item(reference);
        ASSERT_NE(tag, nullptr);
        tag->value().setNumber(number);
        tag->value().markWritten();
    }
    int32_t number(const target::TagReference& reference) { return item(reference)->value().number(); }
    // The CRC of a rectangle of the target, rows top to bottom.
    uint32_t crcOf(const DRect& rect)
    {
        DCRC32 crc;
        for (int y = rect.top; y <= rect.bottom; ++y)
            for (int x = rect.left; x <= rect.right; ++x)
                crc.crcUpdateWord(pixel(x, y));
        return crc.value();
    }
};
