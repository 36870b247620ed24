#pragma once

#include <cstdint>

struct DSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const DSize&) const = default;
};
