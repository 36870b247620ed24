#include "engine/core/DFrame.h"

#include "engine/core/DPlatform.h"
#include "engine/core/DProject.h"
#include "engine/tags/DController.h"

void runFrame(DProject& project)
{
    DPlatform& platform = project.platform();
    // Observers hear of changed tags, and written items go through, before anything draws.
    const uint32_t now = platform.ticks();
    for (DController* controller : project.controllers())
        controller->update(now);
    project.render();
    project.runDeferred();
    platform.tick();
    project.tickTime(platform.ticks());
}
