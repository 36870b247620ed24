#pragma once

#include <cstdint>

struct DPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const DPoint&) const = default;
};
