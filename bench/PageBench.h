#pragma once
// The engine harness for benchmarks: one built page on a display of the page's size,
// run frame by frame through the engine loop's own frame.

#include <cstdint>
#include <utility>
#include <vector>

#include "tests/support/engine/EngineHarness.h"

template <int32_t Width, int32_t Height>
class PageBench : public EngineHarness<Width, Height, 3> {
public:
    using Harness = EngineHarness<Width, Height, 3>;

    // Loads the file on a display of the page's size; 0 when it loaded.
    [[nodiscard]] int load(std::vector<uint8_t> bytes) { return Harness::load(std::move(bytes), {Width, Height}); }

    // The local 32-bit tags at addresses first, first + 1, ...: what the frames write.
    std::vector<DItem*> localTags(uint32_t first, uint32_t count)
    {
        std::vector<DItem*> items;
        for (uint32_t address = first; address < first + count; ++address)
            items.push_back(Harness::item(localTag(address)));
        return items;
    }

    // Writes a tag as an action would; the next frame's update tells its widgets.
    static void write(DItem& item, int32_t value)
    {
        item.value().setNumber(value);
        item.value().markWritten();
    }
};
