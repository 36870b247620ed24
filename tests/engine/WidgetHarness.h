#pragma once
// A project of one built page on a fake clock, a memory file, a bitmap renderer and a
// null display, with a local tag controller: set a tag, let the controller tell the
// widgets, draw, and probe the pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/target/TargetTag.h"
#include "tests/engine/EngineHarness.h"

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
        DPage* page = project.currentPage();
        if (!page || number >= page->widgets().size())
            return nullptr;
        return dynamic_cast<Widget*>(page->widgets()[number]);
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

    DController_Local& local = controllers[1];
};
