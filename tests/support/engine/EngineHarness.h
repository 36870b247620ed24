#pragma once
// The engine test harness: a project over a built target file in memory on a fake clock,
// drawn by a Width x Height bitmap renderer onto a null display, with local controllers
// standing for the system, local (and memory) ones. frame() runs the engine loop's own
// frame; the helpers set and read tags, find widgets and probe pixels. Tests and
// benchmarks share it, so it does not depend on the test framework.

#include <cstddef>
#include <cstdint>
#include <typeinfo>
#include <utility>
#include <vector>

#include "engine/core/DFrame.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/render/DRendererBitmap.h"
#include "engine/tags/DController_Local.h"
#include "engine/tags/DItem.h"
#include "engine/tags/DItemDescriptor.h"
#include "engine/widgets/DCompositeObject.h"
#include "foundation/DCRC32.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/engine/FakePlatform.h"

// A local tag as class words and action blocks write it; a 16-bit tag is 2 bytes long.
inline target::TagReference localTag(uint32_t address, uint32_t type, uint32_t size)
{
    return target::TagReference::make(target::Controller::Local, address, type, size);
}
inline target::TagReference localTag(uint32_t address, uint32_t type = target::kValueType32)
{
    return localTag(address, type, type == target::kValueType16 ? 2 : 4);
}

template <int32_t Width, int32_t Height, std::size_t Controllers>
class EngineHarness {
    static_assert(Controllers >= 2, "controller 1 is the local one");

public:
    static constexpr int32_t kWidth = Width, kHeight = Height;

    EngineHarness()
    {
        for (DController_Local& controller : controllers)
            project.addController(controller);
    }
    EngineHarness(const EngineHarness&) = delete;
    EngineHarness& operator=(const EngineHarness&) = delete;

    // Loads the file on a display of the screen's size; 0 when it loaded.
    [[nodiscard]] int load(std::vector<uint8_t> bytes, DSize screen = {640, 480})
    {
        platform.fileBytes = std::move(bytes);
        if (display.open(&project, screen.width, screen.height) != DStatus::Ok ||
            renderer.init(&display, &project, kWidth, kHeight) != DStatus::Ok ||
            project.attach(&renderer, &display) != DStatus::Ok)
            return DStatus::Failed;
        return project.load(DString(u"memory.ddd"));
    }

    // One turn of the engine loop, as the application runs it, ms milliseconds on.
    void frame(uint32_t ms = 10)
    {
        platform.now += ms;
        runFrame(project);
    }
    void frames(int count, uint32_t ms = 10)
    {
        for (int i = 0; i < count; ++i)
            frame(ms);
    }
    // Only the local controller's part of a frame: what was written reaches the observers.
    void settle() { local.update(platform.now); }

    // The item behind a tag reference, made on first use by its controller.
    DItem* item(const target::TagReference& reference)
    {
        DItemDescriptor descriptor = DItemDescriptor::fromReference(reference);
        (void)project.findTag(descriptor);
        return descriptor.item;
    }
    int32_t number(const target::TagReference& reference) { return item(reference)->value().number(); }
    // Sets a number tag as an action would; it reaches the widgets at the next frame.
    void setNumber(const target::TagReference& reference, int32_t number)
    {
        DItem* tag = item(reference);
        if (!tag)
            return;
        tag->value().setNumber(number);
        tag->value().markWritten();
    }
    // Sets a number tag as the tags dialog would: the widgets hear of it at once.
    void setTag(const target::TagReference& reference, int32_t number)
    {
        setNumber(reference, number);
        settle();
    }

    // The current page's widget of that number as the class it should be, or none.
    template <class Widget>
    Widget* widget(std::size_t number)
    {
        DPage* page = project.currentPage();
        if (!page || number >= page->widgets().size())
            return nullptr;
        return dynamic_cast<Widget*>(page->widgets()[number]);
    }
    // The current page's widgets of exactly this class (not of classes derived from it), in record order.
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

    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(renderer.target()->row(y))[x]; }
    // The CRC of a rectangle of the target, rows top to bottom.
    uint32_t crcOf(const DRect& rect)
    {
        DCRC32 crc;
        for (int y = rect.top; y <= rect.bottom; ++y)
            for (int x = rect.left; x <= rect.right; ++x)
                crc.crcUpdateWord(pixel(x, y));
        return crc.value();
    }

    // Controllers outlive the project, which lets go of its widgets (and their bindings) first.
    DController_Local controllers[Controllers];
    DController_Local& local = controllers[1];
    FakePlatform platform;
    DRendererBitmap renderer;
    DDisplay_Null display{0};
    DProject project{platform};
};
