#pragma once
// Target files with fonts and text elements, and a project that loads them with two
// local controllers (indexes 0 and 1) whose tags the tests set.

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "engine/widgets/DCompositeObject.h"
#include "engine/tags/DController_Local.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/tags/DItem.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRendererBitmap.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/engine/FakePlatform.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

namespace texttest {

using vx::test::fontBytes;
using vx::test::sansBytes;
using vx::test::textElement;
using vx::test::TextWords;

inline void placeholder(vx::test::TargetBuilder::Page& page)
{
    vx::test::writePlaceholder(page);
}

inline void tag(vx::test::TargetBuilder::Page& page, const target::TagReference& reference)
{
    target::writeRecord(page.file(), reference);
}

constexpr uint32_t kEditableFlags = target::kElementFlagVisible | target::kElementFlagTouchable;

// Loads a built target file with local controllers at indexes 0 and 1 and draws into a
// width x height target.
class ProjectHarness {
public:
    int load(std::vector<uint8_t> bytes, int width = 120, int height = 60)
    {
        platform.fileBytes = std::move(bytes);
        project.addController(first);
        project.addController(local);
        EXPECT_EQ(display.open(&project, 640, 480), 0);
        EXPECT_EQ(renderer.init(&display, &project, width, height), 0);
        EXPECT_EQ(project.attach(&renderer, &display), 0);
        return project.load(DString(u"memory.ddd"));
    }
    // The item of a tag reference (made on first use by the local controller).
    DItem& item(const target::TagReference& reference)
    {
        DItemDescriptor descriptor = DItemDescriptor::fromReference(reference);
        EXPECT_NE(project.findTag(descriptor), nullptr);
        return *descriptor.item;
    }
    // Sets a number and lets the controller tell the widgets.
    void setNumber(const target::TagReference& reference, int32_t number)
    {
        DValue& value = item(reference).value();
        value.setNumber(number);
        value.markWritten();
        local.update(platform.now);
    }
    template <class Widget>
    Widget* widget(std::size_t number)
    {
        return currentWidget<Widget>(project, number);
    }
    void key(uint32_t code)
    {
        project.onKeyDown(code);
        project.onKeyUp(code);
    }
    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(renderer.target()->row(y))[x]; }

    FakePlatform platform;
    DRendererBitmap renderer;
    DDisplay_Null display{0};
    DController_Local first;
    DController_Local local;
    DProject project{platform};
};

} // namespace texttest
