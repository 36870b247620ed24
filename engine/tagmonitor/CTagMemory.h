#pragma once
// The tag memory as the tags dialog sees it: the memory controller's image, taken afresh
// for every read and write because the image moves when it grows.

#include <cstdint>
#include <functional>

struct CTagMemory {
    uint8_t* base = nullptr;
    uint32_t size = 0;

    // True when bytes bytes from address lie inside the image.
    [[nodiscard]] bool holds(uint32_t address, uint32_t bytes) const
    {
        return base && uint64_t(address) + bytes <= size;
    }
};

using CTagMemorySource = std::function<CTagMemory()>;

// Where a listed tag lies: what the dialog keeps in a row's item data.
struct CTagPlace {
    int typeIndex = -1;
    uint32_t address = 0;
    uint32_t size = 0;
};
