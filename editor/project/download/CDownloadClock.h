#pragma once
// The tick count the download's deadlines are kept in (milliseconds, wrapping at 32
// bits). Injected, so a test can let 20 s pass at once.

#include <cstdint>

class CDownloadClock {
public:
    virtual ~CDownloadClock() = default;
    virtual uint32_t Now() const = 0;

    // The monotonic clock.
    static const CDownloadClock& System();
};
