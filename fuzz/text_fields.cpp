// Target files with text, numeric and date/time fields: loading, showing, text entry by
// keys and pointer, blinking and drawing never fail hard, whatever the records hold.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/widgets/DCompositeObject.h"
#include "engine/tags/DController_Local.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRendererBitmap.h"
#include "tests/support/engine/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FakePlatform platform;
    platform.fileBytes.assign(data, data + size);
    DRendererBitmap renderer;
    DDisplay_Null display(0);
    DController_Local system, local, memory;
    DProject project(platform);
    project.addController(system);
    project.addController(local);
    project.addController(memory);
    if (display.open(&project, 64, 48) != 0 || renderer.init(&display, &project, 64, 48) != 0 ||
        project.attach(&renderer, &display) != 0 || project.load(DString(u"fuzz.ddd")) != 0)
        return 0;
    // Every widget of the page gets the focus in turn and a script of entry keys.
    static constexpr uint32_t kKeys[] = {13, '1', 'a', 45, 0xDE00D83Du, 8, 1, 2, 5, 6, 12, 3, 13, '7', 27, 13, 13};
    const std::size_t widgets = project.currentPage() ? project.currentPage()->widgets().size() : 0;
    for (std::size_t index = 0; index < widgets && index < 16; ++index) {
        if (DPage* page = project.currentPage())
            page->setFocus(int32_t(index));
        for (uint32_t key : kKeys) {
            project.onKeyDown(key);
            project.onKeyUp(key);
            platform.now += 250;
            project.tickTime(platform.now);
            project.render();
        }
    }
    for (DPoint point : {DPoint{5, 5}, DPoint{30, 20}, DPoint{60, 40}}) {
        project.onPointerDown(point);
        project.onPointerUp(point);
        local.update(platform.now);
        project.render();
    }
    project.unload();
    return 0;
}
