#include <gtest/gtest.h>

#include <ctime>

#include "tests/support/engine/RecordingInput.h"
#include "engine/core/DEngineServices.h"
#include "engine/posix/DPlatform_posix.h"

namespace {

// An engine that only takes input, with the option bits the test gives it.
class InputServices : public DEngineServices {
public:
    DDisplay* display() const override { return nullptr; }
    void requestReload(uint32_t) override {}
    DPlatform* platform() const override { return nullptr; }
    DInputSink* input() const override { return &sink; }
    uint32_t optionFlags() const override { return flags; }

    mutable vx::test::RecordingInput sink;
    uint32_t flags = 0;
};

class SteppedPlatform : public DPlatform_posix {
public:
    uint32_t ticks() override { return now; }
    uint32_t now = 1000;
};

} // namespace

TEST(DPlatform_posix, BuildProjectPathKeepsTheFolder)
{
    struct Case {
        std::u16string stored;
        uint32_t number;
        std::u16string built;
    };
    const Case cases[] = {
        {u"/home/op/panels/main.ddd", 26, u"/home/op/panels/0x0000001a.ddd"},
        {u"main.ddd", 0xDEADBEEF, u"0xdeadbeef.ddd"},
        {u"/main.ddd", 1, u"/0x00000001.ddd"},
    };
    for (const Case& c : cases) {
        DPlatform_posix platform;
        platform.setProjectPath(DString(c.stored));
        EXPECT_EQ(platform.buildProjectPath(c.number).view(), c.built);
    }
}

TEST(DPlatform_posix, BuiltPathThatDoesNotFitIsEmpty)
{
    DPlatform_posix platform;
    platform.setProjectPath(DString(u"/" + std::u16string(250, u'd') + u"/m.ddd"));
    EXPECT_EQ(platform.buildProjectPath(3).view(), u"");
}

TEST(DPlatform_posix, ProjectPathIsBoundedAndClockNeverReadsZero)
{
    DPlatform_posix platform;
    platform.setProjectPath(DString(std::u16string(400, u'p')));
    EXPECT_EQ(platform.projectPath().length(), DPlatform_posix::kPathUnits);
    const uint32_t first = platform.ticks();
    EXPECT_GE(first, 1u);
    platform.sleep(2);
    EXPECT_GE(platform.ticks() - first, 2u);
}

TEST(DPlatform_posix, TickPollsTheLongPressKeysOfTheEngineItServesWhenItsOptionIsSet)
{
    for (const uint32_t flags : {0u, DEngineServices::kPollLongPressKeys}) {
        SCOPED_TRACE(flags);
        SteppedPlatform platform;
        InputServices engine;
        engine.flags = flags;
        platform.setHeldKeysSource([] { return DLongPressKeys::kLeftMask; });
        platform.tick(); // started by no engine yet: nothing to poll for
        platform.start(engine);
        platform.tick();
        platform.now += DLongPressKeys::kHoldMilliseconds;
        platform.tick();
        EXPECT_EQ(engine.sink.lastKeyDown, flags ? 1u : 0u);
    }
}

TEST(DPlatform_posix, WallClockIsTheSystemTime)
{
    DPlatform_posix platform;
    const int64_t before = int64_t(std::time(nullptr));
    const int64_t read = platform.wallClockSeconds();
    EXPECT_GE(read, before);
    EXPECT_LE(read, int64_t(std::time(nullptr)));
}

TEST(DLongPressKeys, HoldSendsDownOnceAndUpAfterRelease)
{
    vx::test::RecordingInput project;
    DLongPressKeys keys;
    const uint32_t left = DLongPressKeys::kLeftMask;
    keys.poll(1000, left, project);
    keys.poll(1499, left, project);
    EXPECT_EQ(project.lastKeyDown, 0u);
    keys.poll(1500, left, project);
    EXPECT_EQ(project.lastKeyDown, 1u);
    keys.poll(1600, 0, project); // released: up time noted
    keys.poll(2099, 0, project);
    EXPECT_EQ(project.lastKeyUp, 0u);
    keys.poll(2100, 0, project);
    EXPECT_EQ(project.lastKeyUp, 1u);

    // A short press sends nothing.
    vx::test::RecordingInput quiet;
    DLongPressKeys other;
    other.poll(10, left, quiet);
    other.poll(100, left, quiet);
    other.poll(200, 0, quiet);
    other.poll(2000, 0, quiet);
    EXPECT_EQ(quiet.lastKeyDown, 0u);
    EXPECT_EQ(quiet.lastKeyUp, 0u);
}
