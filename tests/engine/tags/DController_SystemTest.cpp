#include <gtest/gtest.h>

#include <vector>

#include "engine/tags/DController_System.h"
#include "engine/tags/DSystemTagSource.h"
#include "engine/posix/DMemory_CRT.h"
#include "tests/support/engine/ItemDescriptor.h"
#include "tests/support/engine/RecordingObserver.h"

namespace {

class FakeSource : public DSystemTagSource {
public:
    int32_t currentPageIndex() const override { return page; }
    uint32_t clockSeconds() const override { return seconds; }
    int32_t page = -1;
    uint32_t seconds = 1700000000;
};

DItemDescriptor systemTag(uint32_t number)
{
    return vx::test::itemDescriptor(DItemDescriptor::kSystem, number, DValue::kInteger, 4);
}

class DController_SystemTest : public testing::Test {
protected:
    void SetUp() override
    {
        DMemory::setGlobal(&m_heap);
        ASSERT_EQ(m_controller.init(m_now), 0);
    }
    void TearDown() override
    {
        m_controller.release();
        DMemory::setGlobal(nullptr);
    }

    DItem& tag(uint32_t number) { return *m_controller.findItem(systemTag(number)); }
    int32_t value(uint32_t number) { return tag(number).value().number(); }
    void set(uint32_t number, int32_t v)
    {
        tag(number).value().setNumber(v);
        tag(number).value().markWritten();
    }
    void advance(uint32_t milliseconds)
    {
        m_now += milliseconds;
        m_controller.update(m_now);
    }
    // Timer n's five tags.
    static uint32_t timerTag(uint32_t n, uint32_t which) { return 44 + 5 * n + which; }

    DMemory_CRT m_heap;
    FakeSource m_source;
    DController_System m_controller{m_source};
    uint32_t m_now = 100000;
};

} // namespace

TEST_F(DController_SystemTest, HoldsTheSystemTagsByNumber)
{
    EXPECT_EQ(m_controller.count(), 399u);
    EXPECT_EQ(value(1), 30); // the first heartbeat sample
    EXPECT_EQ(value(3), -1);
    EXPECT_EQ(value(0), 0);
    EXPECT_NE(m_controller.findItem(systemTag(398)), nullptr);
    EXPECT_EQ(m_controller.findItem(systemTag(399)), nullptr);
    DItemDescriptor otherType = systemTag(44);
    otherType.type = DValue::kShort; // reached by number whatever the type
    EXPECT_EQ(m_controller.findItem(otherType), &tag(44));
    EXPECT_EQ(tag(44).value().type(), DValue::kInteger);
}

TEST_F(DController_SystemTest, CounterCountsSecondsAndTellsOncePerUpdate)
{
    RecordingObserver widget;
    tag(0).addObserver(widget);
    advance(999);
    EXPECT_EQ(value(0), 0);
    advance(1);
    EXPECT_EQ(value(0), 1);
    advance(3500); // a long frame: three seconds at once, one notification
    EXPECT_EQ(value(0), 4);
    EXPECT_EQ(widget.numbers, (std::vector<int32_t>{1, 4}));
    advance(500);
    EXPECT_EQ(value(0), 5);
}

TEST_F(DController_SystemTest, HeartbeatStepsEvery19MillisecondsAndRepeats)
{
    std::vector<int32_t> samples;
    for (std::size_t i = 0; i < 2 * DController_System::kWaveform.size(); ++i) {
        advance(19);
        samples.push_back(value(1));
    }
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(samples[i], DController_System::kWaveform[(i + 1) % 51]) << i;
    advance(19 * 51 * 3 + 19 * 2); // many rounds in one frame land on the right sample
    EXPECT_EQ(value(1), DController_System::kWaveform[(2 * 51 + 2) % 51]);
}

TEST_F(DController_SystemTest, FedTagsFollowTheirSourcesAndTellOnlyOnChange)
{
    RecordingObserver widget;
    for (uint32_t number : {2u, 3u, 6u, 7u})
        tag(number).addObserver(widget);
    advance(1);
    EXPECT_EQ(uint32_t(value(2)), m_source.seconds);
    EXPECT_EQ(value(3), -1);
    EXPECT_EQ(uint32_t(value(6)), m_heap.liveBytes());
    EXPECT_EQ(uint32_t(value(7)), m_heap.liveBlocks());
    EXPECT_EQ(widget.countFor(&tag(3)), 0u); // -1 from the start: no change
    widget.clear();

    advance(1); // nothing moved
    EXPECT_TRUE(widget.items.empty());

    m_source.page = 2;
    void* block = dAlloc(1000);
    advance(1);
    EXPECT_EQ(value(3), 2);
    EXPECT_EQ(uint32_t(value(6)), m_heap.liveBytes());
    EXPECT_EQ(uint32_t(value(7)), m_heap.liveBlocks());
    EXPECT_EQ(widget.countFor(&tag(3)), 1u);
    EXPECT_EQ(widget.countFor(&tag(6)), 1u);
    EXPECT_EQ(widget.countFor(&tag(7)), 1u);
    dFree(block);
    advance(1);
    EXPECT_EQ(uint32_t(value(6)), m_heap.liveBytes());
}

TEST_F(DController_SystemTest, WrittenTagsAreToldOnceAndCleared)
{
    RecordingObserver widget;
    tag(200).addObserver(widget);
    tag(0).addObserver(widget);
    set(200, 12);
    set(200, 13);
    set(0, 41); // written and counted in the same update: told once
    advance(1000);
    EXPECT_EQ(widget.countFor(&tag(200)), 1u);
    EXPECT_EQ(widget.countFor(&tag(0)), 1u);
    EXPECT_EQ(value(0), 42);
    EXPECT_FALSE(tag(200).value().isWritten());
}

TEST_F(DController_SystemTest, GeneralTimersRunOnTheirTags)
{
    RecordingObserver widget;
    const uint32_t n = 7;
    tag(timerTag(n, 0)).addObserver(widget);
    set(timerTag(n, 1), 0);   // start
    set(timerTag(n, 2), 3);   // stop
    set(timerTag(n, 4), 100); // step
    set(timerTag(n, 3), 1);   // mode: count up and wrap
    advance(0);
    std::vector<int32_t> values;
    for (int i = 0; i < 5; ++i) {
        advance(100);
        values.push_back(value(timerTag(n, 0)));
    }
    EXPECT_EQ(values, (std::vector<int32_t>{1, 2, 3, 0, 1}));
    EXPECT_EQ(widget.numbers, values);
    EXPECT_FALSE(tag(timerTag(n, 0)).value().isWritten()); // the timer's own change is not a write

    advance(350); // three steps, one notification
    EXPECT_EQ(value(timerTag(n, 0)), 0);
    EXPECT_EQ(widget.numbers.size(), 6u);

    // Other timers stay where they are.
    EXPECT_EQ(value(timerTag(0, 0)), 0);
    EXPECT_EQ(value(timerTag(19, 0)), 0);
}

TEST_F(DController_SystemTest, TimersKeepTheirStateAcrossAReload)
{
    set(timerTag(0, 2), 100);
    set(timerTag(0, 4), 100);
    set(timerTag(0, 3), 2);
    advance(0);
    advance(250);
    EXPECT_EQ(value(timerTag(0, 0)), 2);
    const uint32_t due = m_controller.timer(0).due();

    m_controller.release();
    ASSERT_EQ(m_controller.init(m_now), 0);
    EXPECT_EQ(value(timerTag(0, 0)), 0); // new tags from 0
    EXPECT_EQ(m_controller.timer(0).due(), due);
    EXPECT_EQ(m_controller.timer(0).lastMode(), 2u);
    advance(1); // the new mode tag is 0: the timer stops and forgets its mode
    EXPECT_EQ(m_controller.timer(0).lastMode(), 0u);
}

TEST(DController_System, EverythingTimedCountsOnAcrossTheWrapOfTheClock)
{
    FakeSource source;
    DController_System controller(source);
    uint32_t now = 0xFFFFFC00u; // 1024 ms before the wrap
    ASSERT_EQ(controller.init(now), 0);
    DValue& counter = controller.findItem(systemTag(0))->value();
    DValue& timerValue = controller.findItem(systemTag(44))->value();
    controller.findItem(systemTag(46))->value().setNumber(1000);
    controller.findItem(systemTag(48))->value().setNumber(50);
    controller.findItem(systemTag(47))->value().setNumber(2);
    controller.update(now);
    for (int i = 0; i < 40; ++i) {
        now += 50;
        controller.update(now);
    }
    EXPECT_EQ(counter.number(), 2); // 2000 ms passed, the clock wrapped in between
    EXPECT_EQ(timerValue.number(), 40);
    EXPECT_EQ(controller.findItem(systemTag(1))->value().number(), DController_System::kWaveform[2000 / 19 % 51]);
}
