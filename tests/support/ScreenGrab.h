#pragma once
// Screenshots of a private X server for the tests that look at a program's window.

#include <QImage>
#include <QString>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/XvfbSession.h"

namespace vx::test {

// Grabs the screen into png until ready(picture) holds, or about 30 seconds have passed:
// the window may take a while to map when a sanitized program starts on a loaded machine.
// The last picture grabbed.
template <class Ready>
QImage grabUntil(XvfbSession& x, const std::filesystem::path& png, Ready&& ready)
{
    QImage shot;
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        if (x.grab(png) && shot.load(QString::fromStdString(png.string())) && ready(shot))
            break;
    }
    return shot;
}

} // namespace vx::test
