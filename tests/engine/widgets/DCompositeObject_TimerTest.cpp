#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "engine/widgets/DCompositeObject_Timer.h"
#include "engine/widgets/DCompositeObject_Trigger.h"
#include "tests/support/engine/WidgetFixture.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using namespace widgettest;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kValueTag = 1, kEnableTag = 2, kTagChange = 15;

// Counts up from 0 to 3 and wraps, a step each 100 ms.
struct TimerSpec : vx::test::TimerRecord {
    TimerSpec()
    {
        mode = DCompositeObject_Timer::UpWrap;
        stop = 3;
        stepTime = 100;
        value = localTag(kValueTag);
    }
};

std::vector<uint8_t> timerPage(const TimerSpec& spec)
{
    TargetBuilder builder(kWidth, kHeight, 2);
    builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
        vx::test::writeTimer(page, spec);
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) { page.backgroundColour(0xFF000000, kWidth, kHeight); });
    return builder.finish();
}

class TimerTest : public WidgetFixture {};

struct PatternCase {
    const char* name;
    uint32_t mode;
    int32_t start, stop, initial;
    std::vector<int32_t> values; // the tag after each step time
};

const PatternCase kPatterns[] = {
    {"up and wrap", DCompositeObject_Timer::UpWrap, 0, 3, 0, {1, 2, 3, 0, 1}},
    {"up and hold", DCompositeObject_Timer::UpHold, 0, 3, 0, {1, 2, 3, 3, 3}},
    {"ping-pong", DCompositeObject_Timer::PingPong, 0, 3, 0, {1, 2, 3, 2, 1, 0, 1}},
    {"down and wrap", DCompositeObject_Timer::DownWrap, 0, 3, 3, {2, 1, 0, 3, 2}},
    {"down and hold", DCompositeObject_Timer::DownHold, 0, 3, 3, {2, 1, 0, 0}},
    {"toward stop, counting down", DCompositeObject_Timer::TowardStop, 5, 0, 5, {4, 3, 2, 1, 0, 0}},
    {"toward stop, counting up", DCompositeObject_Timer::TowardStop, 0, 2, 0, {1, 2, 2}},
    {"up and hold with start above stop", DCompositeObject_Timer::UpHold, 5, 0, 3, {3, 3}},
    {"stopped", DCompositeObject_Timer::Stopped, 0, 3, 1, {1, 1}},
    {"start equal to stop", DCompositeObject_Timer::UpWrap, 2, 2, 7, {7, 7}},
    {"negative range", DCompositeObject_Timer::UpWrap, -2, -1, -2, {-1, -2, -1}},
    // Next to the ends of the 32-bit range nothing overflows.
    {"wrap at the top of the range", DCompositeObject_Timer::UpWrap, INT32_MAX - 1, INT32_MAX, INT32_MAX - 1,
     {INT32_MAX, INT32_MAX - 1}},
    {"wrap at the bottom of the range", DCompositeObject_Timer::DownWrap, INT32_MIN, INT32_MIN + 1, INT32_MIN,
     {INT32_MIN + 1, INT32_MIN}},
};

} // namespace

TEST_F(TimerTest, PatternsCountTheTagEveryStepTime)
{
    for (const PatternCase& pattern : kPatterns) {
        SCOPED_TRACE(pattern.name);
        EventHarness run;
        TimerSpec spec;
        spec.mode = pattern.mode;
        spec.start = pattern.start;
        spec.stop = pattern.stop;
        ASSERT_EQ(run.load(timerPage(spec)), 0);
        run.setTag(kValueTag, pattern.initial);
        const uint32_t begin = run.platform.now;
        run.runUntil(begin + 1); // the first tick sets the first step time
        int step = 0;
        for (const int32_t expected : pattern.values) {
            SCOPED_TRACE(step++);
            run.runUntil(begin + 1 + 100 * uint32_t(step) - 1);
            // Nothing moves between steps.
            EXPECT_EQ(run.tag(kValueTag), step == 1 ? pattern.initial : pattern.values[std::size_t(step - 2)]);
            run.runUntil(begin + 1 + 100 * uint32_t(step));
            EXPECT_EQ(run.tag(kValueTag), expected);
        }
    }
}

TEST_F(TimerTest, AValueOutsideTheRangeIsCorrectedAtTheFirstTick)
{
    TimerSpec spec;
    spec.stop = 5;
    ASSERT_EQ(load(timerPage(spec)), 0);
    setTag(kValueTag, 10);
    runUntil(platform.now + 1);
    EXPECT_EQ(tag(kValueTag), 5);
    setTag(kValueTag, -4);
    runUntil(platform.now + 1);
    EXPECT_EQ(tag(kValueTag), 0);
}

TEST_F(TimerTest, SixteenBitTagsCount)
{
    TimerSpec spec;
    spec.value = localTag(kValueTag, kValueType16);
    spec.stepTime = 10;
    ASSERT_EQ(load(timerPage(spec)), 0);
    runUntil(platform.now + 1 + 30);
    EXPECT_EQ(item(kValueTag, kValueType16)->value().shownNumber(), 3);
    runUntil(platform.now + 10);
    EXPECT_EQ(item(kValueTag, kValueType16)->value().shownNumber(), 0);
}

TEST_F(TimerTest, SixteenBitTagsCountBelowZero)
{
    TimerSpec spec;
    spec.mode = DCompositeObject_Timer::DownHold;
    spec.start = -3;
    spec.stop = 0;
    spec.stepTime = 10;
    spec.value = localTag(kValueTag, kValueType16);
    ASSERT_EQ(load(timerPage(spec)), 0);
    runUntil(platform.now + 1 + 50);
    EXPECT_EQ(int16_t(item(kValueTag, kValueType16)->value().number()), -3);
}

TEST_F(TimerTest, StepTimesFromTheFileAreNeverZeroNorOverflow)
{
    struct Case {
        int32_t written;
        uint32_t used;
    };
    for (const Case& c : {Case{0, 1}, Case{-50, 50}, Case{250, 250}, Case{INT32_MIN, 0x80000000u}}) {
        SCOPED_TRACE(c.written);
        EventHarness run;
        TimerSpec spec;
        spec.stepTime = c.written;
        spec.stop = 1000;
        ASSERT_EQ(run.load(timerPage(spec)), 0);
        auto* widget = run.widgetAs<DCompositeObject_Timer>(0);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->stepTime(), c.used);
        if (c.used <= 250) {
            const uint32_t begin = run.platform.now;
            run.runUntil(begin + 1 + c.used * 4);
            EXPECT_EQ(run.tag(kValueTag), 4);
        }
    }
}

TEST_F(TimerTest, TheEnableTagPausesAndResumes)
{
    TimerSpec spec;
    spec.stop = 100;
    spec.stepTime = 10;
    spec.enable = localTag(kEnableTag);
    ASSERT_EQ(load(timerPage(spec)), 0);
    auto* widget = widgetAs<DCompositeObject_Timer>(0);
    // The page change tells the timer the enable tag's 0: paused until it is set.
    EXPECT_TRUE(widget->isPaused());
    runUntil(platform.now + 50);
    EXPECT_EQ(tag(kValueTag), 0);
    setTag(kEnableTag, 1);
    EXPECT_FALSE(widget->isPaused());
    runUntil(platform.now + 1 + 30);
    EXPECT_EQ(tag(kValueTag), 3);
    setTag(kEnableTag, 0);
    runUntil(platform.now + 100);
    EXPECT_EQ(tag(kValueTag), 3);
    setTag(kEnableTag, -7);
    runUntil(platform.now + 10);
    EXPECT_EQ(tag(kValueTag), 4); // the old step time has passed: the first step comes at once
}

TEST_F(TimerTest, TheTimerRunsOnlyWhileItsPageIsShown)
{
    TimerSpec spec;
    spec.stop = 100;
    spec.stepTime = 10;
    ASSERT_EQ(load(timerPage(spec)), 0);
    runUntil(platform.now + 1 + 20);
    EXPECT_EQ(tag(kValueTag), 2);
    project.showPage(1, DProject::Jump::Absolute);
    runUntil(platform.now + 100);
    EXPECT_EQ(tag(kValueTag), 2);
}

TEST_F(TimerTest, WithoutAValueTagNothingHappens)
{
    TimerSpec spec;
    spec.value = TagReference::none();
    ASSERT_EQ(load(timerPage(spec)), 0);
    runUntil(platform.now + 1000);
    EXPECT_EQ(local.count(), 0u);
}

namespace {

class TriggerTest : public WidgetFixture {
protected:
    void loadTrigger(TagReference watched)
    {
        TargetBuilder builder(kWidth, kHeight, 1);
        builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) {
            vx::test::writeTrigger(page, watched, countEvents({kTagChange}));
            page.backgroundColour(0xFF000000, kWidth, kHeight);
        });
        ASSERT_EQ(load(builder.finish()), 0);
        ASSERT_NE(widgetAs<DCompositeObject_Trigger>(0), nullptr);
    }
    void setText(uint32_t address, const char* text)
    {
        DItem* target = item(address, kUtf8Slot);
        target->value().setBytes({reinterpret_cast<const uint8_t*>(text), std::strlen(text)});
        target->value().markWritten();
        settle();
    }
    static constexpr uint32_t kUtf8Slot = 10;
};

} // namespace

TEST_F(TriggerTest, ItsPlaceholderIsNeitherKeptNorDrawn)
{
    loadTrigger(localTag(kValueTag));
    // Only the background's primitive is on the page.
    EXPECT_EQ(project.currentPage()->primitives().size(), 1u);
}

TEST_F(TriggerTest, FiresOnEveryNewValueOnly)
{
    loadTrigger(localTag(kValueTag));
    // The 32-bit 0 the tag starts with is no change.
    EXPECT_EQ(events(kTagChange), 0);
    setTag(kValueTag, 5);
    EXPECT_EQ(events(kTagChange), 1);
    DItem* watched = item(kValueTag);
    watched->notify(); // a notification with an unchanged value
    EXPECT_EQ(events(kTagChange), 1);
    setTag(kValueTag, 5);
    EXPECT_EQ(events(kTagChange), 1);
    setTag(kValueTag, -5);
    setTag(kValueTag, 0);
    EXPECT_EQ(events(kTagChange), 3);
}

TEST_F(TriggerTest, StringTagsFireOnEveryNewText)
{
    loadTrigger(TagReference::make(Controller::Local, kValueTag, kUtf8Slot, 16));
    const int32_t before = events(kTagChange); // a string is never the 32-bit 0 it starts with
    setText(kValueTag, "alpha");
    setText(kValueTag, "beta");
    EXPECT_EQ(events(kTagChange), before + 2);
    setText(kValueTag, "beta");
    item(kValueTag, kUtf8Slot)->notify();
    EXPECT_EQ(events(kTagChange), before + 2);
}
