// A held pointer and a held key repeat on the platform's clock: the first repeat after
// the header's first delay, then one every repeat period, until the release.
#include <gtest/gtest.h>

#include "tests/support/engine/DActionTestHarness.h"

using namespace action_test;
using A = ActionNumber;
using vx::test::TargetBuilder;

namespace {

constexpr uint32_t kFirst = 100, kRepeat = 40;
constexpr uint32_t kKey = 'k';
const TagReference kHolds = local(3);
const TagReference kKeyHolds = local(4);

class InputRouter : public ActionHarness {
protected:
    void loadHoldingArea()
    {
        TargetBuilder builder(kWidth, kHeight, 1);
        builder.header().holdFirst = kFirst;
        builder.header().holdRepeat = kRepeat;
        builder.page(uint32_t(target::PageType::Normal), 0, [&](auto& page) {
            scriptedArea(page, {{TriggerNumber::TouchHold, 0, {{A::IncrementTag, {kHolds, 1}}}},
                                {TriggerNumber::KeyHold, kKey, {{A::IncrementTag, {kKeyHolds, 1}}}}});
        });
        load(builder.finish());
        FocusFrame::give(widget(0), *project().currentPage());
        project().currentPage()->setFocus(0);
    }
};

} // namespace

class HeldPointer : public InputRouter, public testing::WithParamInterface<uint32_t> {};

TEST_P(HeldPointer, RepeatsAfterTheFirstDelayThenEveryPeriodUntilTheRelease)
{
    const uint32_t start = GetParam();
    loadHoldingArea();
    project().onPointerDown({5, 5});
    const struct {
        uint32_t at;
        int32_t holds;
    } steps[] = {{0, 0}, {kFirst, 0}, {kFirst + 1, 1}, {kFirst + kRepeat, 1}, {kFirst + kRepeat + 1, 2},
                 {kFirst + 2 * kRepeat + 1, 3}};
    for (const auto& step : steps) {
        project().tickTime(start + step.at);
        EXPECT_EQ(number(kHolds), step.holds) << step.at;
    }
    project().onPointerUp({5, 5});
    project().tickTime(start + kFirst + 10 * kRepeat);
    EXPECT_EQ(number(kHolds), 3);
    EXPECT_EQ(number(kKeyHolds), 0);
}

// The second start lies just before the clock wraps: due times are compared by difference.
INSTANTIATE_TEST_SUITE_P(Starts, HeldPointer, testing::Values(1000u, 0xFFFFFFF0u));

TEST_F(InputRouter, AHeldKeyRepeatsOnTheFocusedWidgetAndAPressStartsTheDelayAgain)
{
    loadHoldingArea();
    const uint32_t start = 5000;
    project().onKeyDown(kKey);
    project().tickTime(start);
    project().tickTime(start + kFirst + 1);
    project().tickTime(start + kFirst + kRepeat + 1);
    EXPECT_EQ(number(kKeyHolds), 2);
    // Pressed again: the first delay counts from the next tick.
    project().onKeyDown(kKey);
    project().tickTime(start + 1000);
    project().tickTime(start + 1000 + kFirst);
    EXPECT_EQ(number(kKeyHolds), 2);
    project().tickTime(start + 1000 + kFirst + 1);
    EXPECT_EQ(number(kKeyHolds), 3);
    project().onKeyUp(kKey);
    project().tickTime(start + 2000);
    EXPECT_EQ(number(kKeyHolds), 3);
    EXPECT_EQ(number(kHolds), 0);
}
