#pragma once
// Comparing parts of two page pictures, and keeping a screenshot beside the test program
// for a look.

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "platform/gfx/Rect.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace vx::test {

// Pixels of rect (exclusive edges) whose colours differ by more than tolerance in a channel.
inline std::size_t DifferencesIn(const PagePixels& a, const PagePixels& b, const gfx::Rect& rect, int tolerance = 0)
{
    std::size_t count = 0;
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x)
            for (int shift = 0; shift < 24; shift += 8) {
                const int delta = int(a.at(x, y) >> shift & 0xFF) - int(b.at(x, y) >> shift & 0xFF);
                if (delta > tolerance || delta < -tolerance) {
                    ++count;
                    break;
                }
            }
    return count;
}

// The file of that name in the screenshot folder.
inline std::filesystem::path KeptScreenshot(const char* name) { return screenshotFolder() / name; }

} // namespace vx::test
