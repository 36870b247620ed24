#pragma once
// The engine harness on a 64 x 48 target for widget tests on a fake clock. Events are
// counted by action blocks that increment one local tag per event, where the engine's
// action list runs them.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "foundation/target/TargetActions.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/TargetBuilder.h"

namespace widgettest {

constexpr int32_t kWidth = 64, kHeight = 48;
// Event n is counted in local tag kEventCounterBase + n.
constexpr uint32_t kEventCounterBase = 1000;

// An action block that counts each of the events.
inline vx::test::TargetBuilder::Actions countEvents(std::initializer_list<uint32_t> events)
{
    std::vector<uint32_t> list(events);
    return [list](target::ActionBlockWriter& block) {
        for (const uint32_t event : list) {
            block.beginGroup(event, 0);
            block.beginAction(uint32_t(target::ActionNumber::IncrementTag));
            block.writeTagArgument(localTag(kEventCounterBase + event));
            block.writeWordArgument(1);
        }
    };
}

// A solid colour picture of w x h.
inline uint32_t solidImage(vx::test::TargetBuilder& builder, uint32_t argb, uint32_t width = 4, uint32_t height = 4)
{
    const std::vector<uint32_t> pixels(std::size_t(width) * height, argb);
    return builder.image(width, height, pixels);
}

// The harness with tags by address, pictures by primitive and counted events; a table
// test makes one per case.
class EventHarness : public EngineHarness<kWidth, kHeight, 2> {
public:
    using EngineHarness::item;
    DItem* item(uint32_t address, uint32_t type = target::kValueType32) { return item(localTag(address, type)); }
    int32_t tag(uint32_t address) { return item(address)->value().number(); }
    using EngineHarness::setTag;
    void setTag(uint32_t address, int32_t value, uint32_t type = target::kValueType32)
    {
        setTag(localTag(address, type), value);
    }
    // Frames of one millisecond up to the time.
    void runUntil(uint32_t time)
    {
        while (int32_t(time - platform.now) > 0)
            frame(1);
        settle();
    }

    DCompositeObject* widget(std::size_t number) { return project.currentPage()->widgets().at(number); }
    template <class Kind>
    Kind* widgetAs(std::size_t number)
    {
        return dynamic_cast<Kind*>(widget(number));
    }
    DBaseObject_UnscaledBitmap* picture(std::size_t index)
    {
        return dynamic_cast<DBaseObject_UnscaledBitmap*>(project.currentPage()->primitives().at(index));
    }
    // The image chunk a picture shows, 0 for none.
    uint32_t shown(std::size_t index)
    {
        DBaseObject_UnscaledBitmap* primitive = picture(index);
        return primitive && primitive->bitmap() ? primitive->bitmap()->sourceOffset() : 0;
    }
    int32_t events(uint32_t event) { return tag(kEventCounterBase + event); }
};

class WidgetFixture : public testing::Test, public EventHarness {};

} // namespace widgettest
