#pragma once
// Where the system controller reads the tags the engine feeds each frame, besides the
// millisecond clock and the allocator.

#include <cstdint>

class DSystemTagSource {
public:
    virtual ~DSystemTagSource() = default;
    // The current page index, -1 before the first page.
    [[nodiscard]] virtual int32_t currentPageIndex() const = 0;
    // The system clock in seconds since 1 January 1970, cut to 32 bits.
    [[nodiscard]] virtual uint32_t clockSeconds() const = 0;
};
