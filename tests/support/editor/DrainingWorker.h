#pragma once
// The editor's background worker for tests: it tells when it has found its queue empty,
// and may run on a clock of the test's choosing.

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "foundation/worker/CBkgWorker.h"

namespace vx::test {

class DrainingWorker : public CBkgWorker {
public:
    explicit DrainingWorker(Clock clock = {}) : CBkgWorker(std::move(clock)) {}

    // True once done holds after a drain, within a generous bound. Every state a test
    // waits for is reached before the worker next finds its queue empty.
    template <class Done>
    bool WaitUntil(Done done)
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::seconds(30), done);
    }

protected:
    void OnQueueEmpty() override
    {
        std::lock_guard lock(m_lock);
        m_changed.notify_all();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
};

} // namespace vx::test
