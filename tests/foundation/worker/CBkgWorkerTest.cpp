#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "foundation/worker/CBkgWorker.h"

namespace {

using namespace std::chrono_literals;

// Long enough for any machine under any sanitizer; only a fault makes a wait this long.
constexpr auto kPatience = 20s;

// What the worker did, seen from the test thread.
class Journal {
public:
    void Add(std::string entry)
    {
        {
            std::scoped_lock lock(m_lock);
            m_entries.push_back(std::move(entry));
        }
        m_changed.notify_all();
    }
    bool WaitForCount(std::size_t count)
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, kPatience, [&] { return m_entries.size() >= count; });
    }
    std::vector<std::string> Entries()
    {
        std::scoped_lock lock(m_lock);
        return m_entries;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::string> m_entries;
};

// The lock every text and image drawing takes inside Render; last in the lock order.
std::mutex g_renderLock;

class FakeObject : public CBkgWorkObject {
public:
    FakeObject(std::string name, Journal& journal, DSize size = {10, 10}) : m_name(std::move(name)), m_journal(journal), m_size(size) {}

    uint32_t Render(CBkgWorkItem& item) override
    {
        std::scoped_lock render(g_renderLock);
        m_journal.Add(m_name);
        ++renders;
        return item.m_first;
    }
    DSize GetWorkSize() const override { return m_size; }
    bool CanDeferRender() const override { return canDefer; }
    std::optional<CBkgViewActivity> GetViewActivity() const override { return activity; }
    void OnWorkDone(CBkgWorkItem&) override { m_journal.Add(m_name + " done"); }
    void RepaintView() override { repaintThread = std::this_thread::get_id(); ++repaints; }
    bool TryLock() override
    {
        const bool locked = CBkgWorkObject::TryLock();
        ++(locked ? taken : refused);
        return locked;
    }

    std::atomic<int> renders{0};
    std::atomic<int> taken{0};     // tries that took the lock
    std::atomic<int> refused{0};   // tries that found it taken
    int repaints = 0;   // user-interface thread only
    std::thread::id repaintThread;
    bool canDefer = true;
    std::optional<CBkgViewActivity> activity;

private:
    std::string m_name;
    Journal& m_journal;
    DSize m_size;
};

class CountedItem : public CBkgWorkItem {
public:
    CountedItem(CBkgWorkObject* object, std::atomic<int>& deleted) : CBkgWorkItem(object), m_deleted(deleted) {}
    ~CountedItem() override { ++m_deleted; }

private:
    std::atomic<int>& m_deleted;
};

std::unique_ptr<CBkgWorkItem> item(CBkgWorkObject& object)
{
    return std::make_unique<CBkgWorkItem>(&object);
}

// Calls queued for the user-interface thread, which is the test's own.
class UiQueue {
public:
    CBkgWorker::Post Poster()
    {
        return [this](std::function<void()> call) {
            std::scoped_lock lock(m_lock);
            m_calls.push_back(std::move(call));
        };
    }
    void RunPending()
    {
        std::deque<std::function<void()>> calls;
        {
            std::scoped_lock lock(m_lock);
            calls.swap(m_calls);
        }
        for (auto& call : calls)
            call();
    }

private:
    std::mutex m_lock;
    std::deque<std::function<void()>> m_calls;
};

} // namespace

TEST(CBkgWorker, ItemsAreRenderedInTheOrderTheyCame)
{
    Journal journal;
    FakeObject a("a", journal), b("b", journal), c("c", journal);
    CBkgWorker worker;
    worker.Start();
    std::vector<std::string> expected;
    for (int i = 0; i < 30; ++i) {
        FakeObject& object = i % 3 == 0 ? a : i % 3 == 1 ? b : c;
        worker.AddWork(item(object));
        expected.push_back(i % 3 == 0 ? "a" : i % 3 == 1 ? "b" : "c");
        expected.push_back(expected.back() + " done");
    }
    ASSERT_TRUE(journal.WaitForCount(expected.size()));
    EXPECT_EQ(journal.Entries(), expected);
    EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
}

TEST(CBkgWorker, AnItemAddedJustBeforeTheWaitIsNotMissed)
{
    Journal journal;
    FakeObject late("late", journal);
    // Adds the item after the worker found the queue empty and before it waits.
    class RacingWorker : public CBkgWorker {
    public:
        explicit RacingWorker(FakeObject& object) : m_object(object) {}
        ~RacingWorker() override { (void)Stop(); }

    protected:
        void OnQueueEmpty() override
        {
            if (!m_added.exchange(true))
                AddWork(item(m_object));
        }

    private:
        FakeObject& m_object;
        std::atomic<bool> m_added{false};
    };
    RacingWorker worker(late);
    worker.Start();
    ASSERT_TRUE(journal.WaitForCount(2));
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"late", "late done"}));
}

TEST(CBkgWorker, CancelWorkDeletesEveryItemOfTheObject)
{
    Journal journal;
    FakeObject a("a", journal), b("b", journal), c("c", journal);
    std::atomic<int> deleted{0};
    CBkgWorker worker;
    worker.AddWork(std::make_unique<CountedItem>(&a, deleted));
    for (int i = 0; i < 3; ++i)
        worker.AddWork(std::make_unique<CountedItem>(&b, deleted));
    worker.AddWork(std::make_unique<CountedItem>(&c, deleted));
    worker.CancelWork(b);
    EXPECT_EQ(deleted, 3);
    worker.Start();
    ASSERT_TRUE(journal.WaitForCount(4));
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"a", "a done", "c", "c done"}));
    EXPECT_EQ(b.renders, 0);
    EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
    EXPECT_EQ(deleted, 5);
}

TEST(CBkgWorker, CancelWorkWaitsForTheItemInProgress)
{
    Journal journal;
    // Render goes on only when the test opens the gate (a flag, so no lock of the test's
    // own stands against the worker's lock order).
    class SlowObject : public FakeObject {
    public:
        explicit SlowObject(Journal& journal) : FakeObject("slow", journal) {}
        uint32_t Render(CBkgWorkItem& item) override
        {
            started = true;
            while (!open)
                std::this_thread::yield();
            return FakeObject::Render(item);
        }
        std::atomic<bool> started{false};
        std::atomic<bool> open{false};
    };
    SlowObject slow(journal);
    CBkgWorker worker;
    worker.Start();
    worker.AddWork(item(slow));
    while (!slow.started)
        std::this_thread::yield();
    std::atomic<bool> cancelled{false};
    std::thread ui([&] {
        worker.CancelWork(slow);
        cancelled = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(cancelled); // still rendering
    slow.open = true;
    ui.join();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"slow", "slow done"}));
}

TEST(CBkgWorker, ResizingPutsOffLargeObjectsOnly)
{
    constexpr uint32_t kNow = 10000;
    struct Case {
        const char* name;
        DSize size;
        ViewInteraction interaction;
        uint32_t lastTick;
        bool canDefer;
        bool hasView;
        bool deferred;
    };
    const Case cases[] = {
        {"100 x 100 touched 50 ms ago", {100, 100}, ViewInteraction::Resize, kNow - 50, true, true, true},
        {"80 x 100 is rendered", {80, 100}, ViewInteraction::Resize, kNow - 50, true, true, false},
        {"81 x 100 is not", {81, 100}, ViewInteraction::Resize, kNow - 50, true, true, true},
        {"touched 200 ms ago", {100, 100}, ViewInteraction::Resize, kNow - 200, true, true, false},
        {"touched 199 ms ago", {100, 100}, ViewInteraction::Resize, kNow - 199, true, true, true},
        {"another interaction", {100, 100}, ViewInteraction::Other, kNow - 50, true, true, false},
        {"the class never defers", {100, 100}, ViewInteraction::Resize, kNow - 50, false, true, false},
        {"no page view", {100, 100}, ViewInteraction::Resize, kNow - 50, true, false, false},
    };
    Journal journal;
    for (const Case& c : cases) {
        FakeObject object("o", journal, c.size);
        object.canDefer = c.canDefer;
        if (c.hasView)
            object.activity = CBkgViewActivity{c.interaction, c.lastTick};
        EXPECT_EQ(CBkgWorker::MayDeferRender(object, c.size, kNow), c.deferred) << c.name;
    }

    // Through the worker on a fake clock: the deferred object is not rendered, yet its
    // picture is invalidated so that its next repaint asks again.
    FakeObject large("large", journal, {100, 100}), small("small", journal, {80, 100});
    for (FakeObject* object : {&large, &small})
        object->activity = CBkgViewActivity{ViewInteraction::Resize, kNow - 50};
    CBkgWorker worker([] { return kNow; });
    worker.AddWork(item(large));
    worker.AddWork(item(small));
    worker.Start();
    ASSERT_TRUE(journal.WaitForCount(3));
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"large done", "small", "small done"}));
}

TEST(CBkgWorker, RepaintsReachTheUserInterfaceThreadByAQueuedCall)
{
    Journal journal;
    UiQueue ui;
    FakeObject shown("shown", journal), gone("gone", journal);
    CBkgWorker worker({}, ui.Poster());
    worker.Start();
    worker.AddWork(item(shown));
    worker.AddWork(item(gone));
    ASSERT_TRUE(journal.WaitForCount(4));
    EXPECT_EQ(shown.repaints, 0); // nothing drawn from the worker thread
    // The object about to go cancels its work; its queued repaint then does nothing.
    worker.CancelWork(gone);
    ui.RunPending();
    EXPECT_EQ(shown.repaints, 1);
    EXPECT_EQ(shown.repaintThread, std::this_thread::get_id());
    EXPECT_EQ(gone.repaints, 0);
    EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
}

TEST(CBkgWorker, ARepaintStillQueuedWhenTheWorkerGoesDoesNothing)
{
    Journal journal;
    UiQueue ui;
    FakeObject shown("shown", journal);
    {
        CBkgWorker worker({}, ui.Poster());
        worker.Start();
        worker.AddWork(item(shown));
        ASSERT_TRUE(journal.WaitForCount(2));
        EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
    }
    ui.RunPending();
    EXPECT_EQ(shown.repaints, 0);
}

TEST(CBkgWorker, ABusyObjectIsRetriedUntilItsLockIsFree)
{
    Journal journal;
    FakeObject busy("busy", journal);
    CBkgWorker worker;
    worker.AddWork(item(busy));
    busy.Lock(); // the user-interface thread draws it
    worker.Start();
    while (busy.refused == 0)
        std::this_thread::yield();
    // While the object is busy, the user-interface thread draws under its lock and the
    // render lock, in that order, as the worker does.
    {
        std::scoped_lock render(g_renderLock);
    }
    busy.Unlock();
    ASSERT_TRUE(journal.WaitForCount(2));
    EXPECT_EQ(busy.taken, 1);
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"busy", "busy done"}));
}

TEST(CBkgWorker, StopWithAnEmptyQueueEndsTheThread)
{
    for (int round = 0; round < 20; ++round) {
        CBkgWorker worker;
        worker.Start();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
        EXPECT_LT(std::chrono::steady_clock::now() - start, CBkgWorker::kStopWait);
    }
    CBkgWorker never;
    EXPECT_EQ(never.Stop(), CBkgWorker::StopResult::Stopped);
}

// The process-wide worker is started by every application object that comes up.
TEST(CBkgWorker, AWorkerStoppedAndStartedAgainRendersAgain)
{
    Journal journal;
    FakeObject object("again", journal);
    CBkgWorker worker;
    worker.Start();
    ASSERT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
    worker.Start();
    worker.AddWork(item(object));
    EXPECT_TRUE(journal.WaitForCount(2));
    EXPECT_EQ(object.renders.load(), 1);
    EXPECT_EQ(worker.Stop(), CBkgWorker::StopResult::Stopped);
}
