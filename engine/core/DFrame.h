#pragma once
// One frame of the engine loop, each step run to completion: the tag controllers tell
// their observers of changed tags and write items through, the project draws and
// presents, the deferred actions run, the platform ticks, and the time work runs on the
// platform's clock.

class DProject;

void runFrame(DProject& project);
