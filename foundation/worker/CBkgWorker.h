#pragma once
// The background worker: one thread of the lowest priority that renders queued objects
// one at a time, in the order they were queued. Lock order: the queue lock, then an
// object's lock, then the render lock (taken inside Render); nothing takes them in
// another order, and no thread holds an object's lock while it calls AddWork or
// CancelWork.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "foundation/worker/CBkgWorkItem.h"
#include "foundation/worker/CBkgWorkObject.h"

class CBkgWorker {
public:
    // Milliseconds of a monotonic clock.
    using Clock = std::function<uint32_t()>;
    // Runs a call on the user-interface thread later (a queued call); the worker never
    // draws from its own thread.
    using Post = std::function<void(std::function<void()>)>;

    static constexpr std::chrono::milliseconds kStopWait{10000};
    static constexpr std::chrono::milliseconds kLockRetry{500};
    // A resize this recent puts off the rendering of objects larger than this.
    static constexpr uint32_t kResizeQuietMilliseconds = 200;
    static constexpr int64_t kDeferredArea = 8000;

    enum class StopResult { Stopped, TimedOut };

    explicit CBkgWorker(Clock clock = {}, Post post = {});
    virtual ~CBkgWorker();
    CBkgWorker(const CBkgWorker&) = delete;
    CBkgWorker& operator=(const CBkgWorker&) = delete;

    // The one process-wide worker of the editor.
    static CBkgWorker& Get();
    // Before Start: how repaints reach the user-interface thread; without one none are asked.
    void SetPost(Post post) { m_post = std::move(post); }

    void Start();
    void AddWork(std::unique_ptr<CBkgWorkItem> item);
    // Deletes every queued item of the object and waits for one in progress; after it
    // the worker does not touch the object again, nor does a repaint it asked for run.
    void CancelWork(const CBkgWorkObject& object);
    // Ends the thread, waiting up to kStopWait; after a time-out the thread is left.
    StopResult Stop();

    // True when rendering is put off: the object allows it, its view is resizing, the
    // last interaction is less than 200 ms old and the object is larger than 8000 pixels.
    static bool MayDeferRender(const CBkgWorkObject& object, DSize size, uint32_t now);

protected:
    // On the worker thread, when it found the queue empty and is about to wait.
    virtual void OnQueueEmpty() {}

private:
    void Run();
    void Process(CBkgWorkItem& item);
    void Signal();
    void WaitForSignal();
    void RepaintLater(CBkgWorkObject* object);
    bool TakeRepaint(CBkgWorkObject* object);

    Clock m_clock;
    Post m_post;

    std::recursive_mutex m_queueLock;
    std::list<std::unique_ptr<CBkgWorkItem>> m_queue;
    // Read at the top of every loop; Stop clears it without waiting for the queue lock.
    std::atomic<bool> m_running{true};

    // The wake-up event: automatic reset, remembered until the worker waits.
    std::mutex m_eventLock;
    std::condition_variable m_event;
    bool m_signalled = false;

    std::mutex m_finishLock;
    std::condition_variable m_finishedCondition;
    bool m_finished = false;

    // Objects whose repaint was posted and not cancelled; taken after the queue lock.
    std::mutex m_repaintLock;
    std::unordered_set<const CBkgWorkObject*> m_repaints;
    // What a posted repaint holds of the worker: expired once the worker is gone, so a
    // call still queued then does nothing.
    std::shared_ptr<CBkgWorker*> m_alive = std::make_shared<CBkgWorker*>(this);

    std::thread m_thread;
};
