#pragma once
// A project of one built page on a fake clock, a memory file, a bitmap renderer and a
// null display, with a local tag controller: set a tag, let the controller tell the
// widgets, draw, and probe the pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/DController_Local.h"
#include "engine/DDisplay_Null.h"
#include "engine/DPage.h"
#include "engine/DProject.h"
#include "engine/DRendererBitmap.h"
#include "foundation/target/TargetTag.h"
#include "tests/engine/FakePlatform.h"

class WidgetHarness : public testing::Test {
public:
    static constexpr int32_t kWidth = 128, kHeight = 64;

    static target::TagReference localTag(uint32_t address)
    {
        return target::TagReference::make(target::Controller::Local, address, target::kValueType32, 4);
    }

protected:
    WidgetHarness()
    {
        project.addController(systemStandIn);
        project.addController(local);
    }

    int load(std::vector<uint8_t> bytes)
    {
        platform.fileBytes = std::move(bytes);
        EXPECT_EQ(display.open(&project, kWidth, kHeight), 0);
        EXPECT_EQ(renderer.init(&display, &project, kWidth, kHeight), 0);
        EXPECT_EQ(project.attach(&renderer, &display), 0);
        return project.load(DString(u"memory.ddd"));
    }

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

    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(renderer.target()->row(y))[x]; }

    // Controllers outlive the project, which lets go of its widgets (and their bindings) first.
    DController_Local systemStandIn;
    DController_Local local;
    FakePlatform platform;
    DRendererBitmap renderer;
    DDisplay_Null display{0};
    DProject project{platform};
};
