#include "foundation/worker/CBkgWorker.h"

#include <algorithm>
#include <pthread.h>
#include <sched.h>

namespace {

uint32_t steadyMilliseconds()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The lowest priority there is: the thread runs only when nothing else wants the CPU.
void lowerPriority()
{
    sched_param parameters{};
    parameters.sched_priority = 0;
    (void)pthread_setschedparam(pthread_self(), SCHED_IDLE, &parameters);
}

} // namespace

CBkgWorker::CBkgWorker(Clock clock, Post post)
    : m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds)), m_post(std::move(post))
{
}

CBkgWorker::~CBkgWorker()
{
    (void)Stop();
}

CBkgWorker& CBkgWorker::Get()
{
    static CBkgWorker worker;
    return worker;
}

void CBkgWorker::Start()
{
    if (m_thread.joinable())
        return;
    // A worker stopped before runs again when it is started again.
    m_running.store(true);
    m_thread = std::thread([this] { Run(); });
}

void CBkgWorker::AddWork(std::unique_ptr<CBkgWorkItem> item)
{
    if (!item || !item->GetObject())
        return;
    {
        std::scoped_lock queue(m_queueLock);
        m_queue.push_back(std::move(item));
    }
    Signal();
}

void CBkgWorker::CancelWork(const CBkgWorkObject& object)
{
    // Held by the worker for a whole item, so this also waits for one in progress.
    std::scoped_lock queue(m_queueLock);
    m_queue.remove_if([&](const std::unique_ptr<CBkgWorkItem>& item) { return item->GetObject() == &object; });
    std::scoped_lock repaints(m_repaintLock);
    m_repaints.erase(&object);
}

CBkgWorker::StopResult CBkgWorker::Stop()
{
    m_running = false;
    Signal();
    if (!m_thread.joinable())
        return StopResult::Stopped;
    std::unique_lock finish(m_finishLock);
    if (!m_finishedCondition.wait_for(finish, kStopWait, [this] { return m_finished; })) {
        // The program exits regardless; the thread is left to the end of the process.
        m_thread.detach();
        return StopResult::TimedOut;
    }
    finish.unlock();
    m_thread.join();
    return StopResult::Stopped;
}

bool CBkgWorker::MayDeferRender(const CBkgWorkObject& object, DSize size, uint32_t now)
{
    if (!object.CanDeferRender())
        return false;
    const std::optional<CBkgViewActivity> view = object.GetViewActivity();
    return view && view->interaction == ViewInteraction::Resize &&
           now - view->lastInteractionTick < kResizeQuietMilliseconds && int64_t(size.width) * size.height > kDeferredArea;
}

void CBkgWorker::Signal()
{
    {
        std::scoped_lock event(m_eventLock);
        m_signalled = true;
    }
    m_event.notify_one();
}

void CBkgWorker::WaitForSignal()
{
    std::unique_lock event(m_eventLock);
    m_event.wait(event, [this] { return m_signalled; });
    m_signalled = false;
}

void CBkgWorker::Run()
{
    lowerPriority();
    while (m_running) {
        std::unique_lock queue(m_queueLock);
        if (m_queue.empty()) {
            queue.unlock();
            OnQueueEmpty();
            // A signal given since the queue was found empty is kept by the event.
            WaitForSignal();
            continue;
        }
        std::unique_ptr<CBkgWorkItem> item = std::move(m_queue.front());
        m_queue.pop_front();
        Process(*item);
        item.reset();
    }
    {
        std::scoped_lock finish(m_finishLock);
        m_finished = true;
    }
    m_finishedCondition.notify_all();
}

void CBkgWorker::Process(CBkgWorkItem& item)
{
    CBkgWorkObject* object = item.GetObject();
    // The queue lock stays held while the object is busy on the other thread.
    while (!object->TryLock()) {
        if (!m_running)
            return;
        std::this_thread::sleep_for(kLockRetry);
    }
    // The rectangle is read under the object's lock, so it cannot change meanwhile.
    if (!MayDeferRender(*object, object->GetWorkSize(), m_clock()))
        item.SetResult(object->Render(item));
    object->OnWorkDone(item);
    RepaintLater(object);
    object->Unlock();
}

void CBkgWorker::RepaintLater(CBkgWorkObject* object)
{
    if (!m_post)
        return;
    {
        std::scoped_lock repaints(m_repaintLock);
        m_repaints.insert(object);
    }
    m_post([alive = std::weak_ptr<CBkgWorker*>(m_alive), object] {
        if (const std::shared_ptr<CBkgWorker*> worker = alive.lock(); worker && (*worker)->TakeRepaint(object))
            object->RepaintView();
    });
}

bool CBkgWorker::TakeRepaint(CBkgWorkObject* object)
{
    std::scoped_lock repaints(m_repaintLock);
    return m_repaints.erase(object) != 0;
}
