#include "editor/project/download/CDownloadClock.h"

#include <chrono>

namespace {

class SteadyClock final : public CDownloadClock {
public:
    uint32_t Now() const override
    {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
};

} // namespace

const CDownloadClock& CDownloadClock::System()
{
    static const SteadyClock clock;
    return clock;
}
