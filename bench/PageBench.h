#pragma once
// A project over one built page on a fake clock, drawn by a bitmap renderer onto a null
// display, run frame by frame in the engine loop's order: the controllers tell the
// widgets of written tags, the page is drawn and presented, then its time work runs.

#include <cstddef>
#include <cstdint>
#include <typeinfo>
#include <utility>
#include <vector>

#include "engine/widgets/DCompositeObject.h"
#include "engine/tags/DController_Local.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/tags/DItem.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRendererBitmap.h"
#include "tests/support/engine/FakePlatform.h"

template <int32_t Width, int32_t Height>
class PageBench {
public:
    static constexpr int32_t kWidth = Width, kHeight = Height;

    PageBench()
    {
        for (DController_Local& controller : controllers)
            project.addController(controller);
    }
    PageBench(const PageBench&) = delete;
    PageBench& operator=(const PageBench&) = delete;

    // Loads the file on a display of the page's size; 0 when it loaded.
    [[nodiscard]] int load(std::vector<uint8_t> bytes)
    {
        platform.fileBytes = std::move(bytes);
        if (display.open(&project, kWidth, kHeight) != 0 || renderer.init(&display, &project, kWidth, kHeight) != 0 ||
            project.attach(&renderer, &display) != 0)
            return -1;
        return project.load(DString(u"bench.ddd"));
    }

    // The local 32-bit tags at addresses first, first + 1, ...: what the frames write.
    std::vector<DItem*> localTags(uint32_t first, uint32_t count)
    {
        std::vector<DItem*> items;
        for (uint32_t address = first; address < first + count; ++address) {
            DItemDescriptor descriptor;
            descriptor.controller = DItemDescriptor::kLocal;
            descriptor.address = address;
            descriptor.type = uint8_t(DValue::kInteger);
            descriptor.size = 4;
            items.push_back(local.findItem(descriptor));
        }
        return items;
    }

    // Writes a tag as an action would; the next frame's update tells its widgets.
    static void write(DItem& item, int32_t value)
    {
        item.value().setNumber(value);
        item.value().markWritten();
    }

    void frame(uint32_t milliseconds)
    {
        platform.now += milliseconds;
        for (DController_Local& controller : controllers)
            controller.update(platform.now);
        project.render();
        project.runDeferred();
        project.tickTime(platform.now);
    }

    // The page's widgets of exactly this class (not of classes derived from it), in record order.
    template <class Kind>
    std::vector<Kind*> widgets()
    {
        std::vector<Kind*> found;
        if (DPage* page = project.currentPage())
            for (DCompositeObject* widget : page->widgets())
                if (widget && typeid(*widget) == typeid(Kind))
                    found.push_back(static_cast<Kind*>(widget));
        return found;
    }

    // Controllers outlive the project, which lets go of its widgets (and their bindings) first.
    DController_Local controllers[3]; // system, local, memory
    DController_Local& local = controllers[1];
    FakePlatform platform;
    DRendererBitmap renderer;
    DDisplay_Null display{0};
    DProject project{platform};
};
