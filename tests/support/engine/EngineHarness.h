#pragma once
// What the widget harnesses share: a project over a built target file in memory on a
// fake clock, drawn by a Width x Height bitmap renderer onto a null display, with local
// controllers standing for the system, local (and memory) ones.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/tags/DController_Local.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/tags/DItemDescriptor.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRendererBitmap.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/engine/FakePlatform.h"

// The current page's widget of that number as the class it should be, or none.
template <class Widget>
Widget* currentWidget(DProject& project, std::size_t number)
{
    DPage* page = project.currentPage();
    if (!page || number >= page->widgets().size())
        return nullptr;
    return dynamic_cast<Widget*>(page->widgets()[number]);
}

template <int32_t Width, int32_t Height, std::size_t Controllers>
class EngineHarness {
public:
    static constexpr int32_t kWidth = Width, kHeight = Height;

    EngineHarness()
    {
        for (DController_Local& controller : controllers)
            project.addController(controller);
    }

    // Loads the file on a display of the screen's size.
    int load(std::vector<uint8_t> bytes, DSize screen = {640, 480})
    {
        platform.fileBytes = std::move(bytes);
        EXPECT_EQ(display.open(&project, screen.width, screen.height), 0);
        EXPECT_EQ(renderer.init(&display, &project, kWidth, kHeight), 0);
        EXPECT_EQ(project.attach(&renderer, &display), 0);
        return project.load(DString(u"memory.ddd"));
    }

    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(renderer.target()->row(y))[x]; }

    // Controllers outlive the project, which lets go of its widgets (and their bindings) first.
    DController_Local controllers[Controllers];
    FakePlatform platform;
    DRendererBitmap renderer;
    DDisplay_Null display{0};
    DProject project{platform};
};
