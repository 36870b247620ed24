#include <gtest/gtest.h>

#include "engine/DApplication.h"
#include "engine/DDisplay_Null.h"
#include "engine/posix/DMemory_CRT.h"
#include "engine/posix/DPlatform_posix.h"
#include "foundation/TextHelpers.h"
#include "tests/support/TestEnvironment.h"

namespace {

class NullParts : public DEngineParts {
public:
    explicit NullParts(int frames) : m_frames(frames) {}
    DPlatform* createPlatform() override { return new DPlatform_posix(); }
    DDisplay* createDisplay() override
    {
        display = new DDisplay_Null(m_frames);
        return display;
    }
    DDisplay_Null* display = nullptr;

private:
    int m_frames;
};

} // namespace

TEST(DApplication, RunsTheLoopHeadlessForItsFrames)
{
    DMemory_CRT memory;
    DMemory::setGlobal(&memory);
    {
        NullParts parts(25);
        DApplication application(parts, {});
        EXPECT_EQ(DApplication::instance(), &application);
        ASSERT_EQ(application.init(0, 0), 0);
        EXPECT_EQ(parts.display->width(), 640);
        EXPECT_EQ(parts.display->height(), 480);
        EXPECT_EQ(parts.display->project(), application.project());
        EXPECT_EQ(application.run(), 0);
        EXPECT_EQ(application.frameCount(), 25u);
        EXPECT_EQ(parts.display->messagePasses(), 26);
        EXPECT_GE(application.project()->lastTick(), 1u);
    }
    EXPECT_EQ(DApplication::instance(), nullptr);
    DMemory::setGlobal(nullptr);
    EXPECT_EQ(memory.liveBlocks(), 0u);
}

TEST(DApplication, LoadFailsOnFilesThatAreNoTargetFile)
{
    vx::test::TempDir dir;
    vx::test::writeFile(dir / "text.ddd", "not a target file at all");
    vx::test::writeFile(dir / "form.ddd", std::string("RIFF\x10\0\0\0WAVE", 12));
    NullParts parts(0);
    DApplication application(parts, {});
    ASSERT_EQ(application.init(800, 600), 0);
    EXPECT_EQ(parts.display->width(), 800);
    for (const char* name : {"none.ddd", "text.ddd", "form.ddd"}) {
        testing::internal::CaptureStdout();
        EXPECT_NE(application.project()->load(DString(utf8ToWide((dir / name).string()))), 0);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_FALSE(printed.empty()) << name;
    }
}

TEST(DApplication, ReloadBuildsTheNumberedPathAtTheEndOfTheFrame)
{
    NullParts parts(1);
    DApplication application(parts, {});
    ASSERT_EQ(application.init(0, 0), 0);
    auto* platform = static_cast<DPlatform_posix*>(application.platform());
    platform->setProjectPath(DString(u"/panels/main.ddd"));
    application.requestReload(26);
    testing::internal::CaptureStdout();
    application.tick();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed opening file!\n");
    EXPECT_EQ(platform->projectPath().view(), u"/panels/0x0000001a.ddd");
    application.tick(); // the request was cleared
    EXPECT_EQ(platform->projectPath().view(), u"/panels/0x0000001a.ddd");
}
