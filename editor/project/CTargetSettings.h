#pragma once
// The project's target settings a preset carries, with the project's defaults.

#include <cstdint>
#include <string>

struct CTargetSettings {
    static constexpr uint32_t kDefaultNativeEncoding = 11; // "UTF-16LE"

    std::u16string pageSize = u"800x480";
    int targetFlags = 5;
    int colorBits = 32;
    int textAliasing = 1;
    int tagMemorySize = 8192;
    uint32_t nativeEncoding = kDefaultNativeEncoding; // slot of the tag type table

    bool operator==(const CTargetSettings&) const = default;
};
