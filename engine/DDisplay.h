#pragma once
// The window the engine draws into and takes its input from.

#include <cstdint>

#include "engine/DObject.h"

class DProject;

class DDisplay : public DObject {
public:
    // Creates the window of width by height and attaches the project; 0 on success.
    [[nodiscard]] virtual int open(DProject* project, int width, int height) = 0;
    virtual void close() = 0;
    // Handles every queued message and delivers its input; 0 once the window is gone.
    [[nodiscard]] virtual int processMessages() = 0;
};
