#include <gtest/gtest.h>

#include "engine/core/DApplication.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DStatus.h"
#include "engine/posix/DMemory_CRT.h"
#include "engine/posix/DPlatform_posix.h"
#include "foundation/TextHelpers.h"
#include "tests/support/engine/FakePlatform.h"
#include "tests/support/engine/RecordingObserver.h"
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

// The engine on a clock the test sets.
class FakeParts : public DEngineParts {
public:
    DPlatform* createPlatform() override
    {
        platform = new FakePlatform(1);
        return platform;
    }
    DDisplay* createDisplay() override { return new DDisplay_Null(0); }
    FakePlatform* platform = nullptr;
};

DItemDescriptor tagAt(uint8_t controller, uint32_t address, uint8_t type = DValue::kInteger, uint16_t size = 4)
{
    DItemDescriptor descriptor;
    descriptor.controller = controller;
    descriptor.address = address;
    descriptor.type = type;
    descriptor.size = size;
    return descriptor;
}

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

TEST(DApplication, OwnsTheThreeControllersInTheOrderOfTheirIndexes)
{
    FakeParts parts;
    DApplication application(parts, {});
    ASSERT_EQ(application.init(0, 0), 0);
    const auto& controllers = application.project()->controllers();
    ASSERT_EQ(controllers.size(), 3u);
    EXPECT_EQ(controllers[DItemDescriptor::kSystem], application.systemController());
    EXPECT_EQ(controllers[DItemDescriptor::kLocal], application.localController());
    EXPECT_EQ(controllers[DItemDescriptor::kMemory], application.memoryController());
    EXPECT_EQ(application.systemController()->count(), 399u); // attached
    EXPECT_EQ(application.memoryController()->imageSize(), 8192u);
    EXPECT_EQ(application.memoryController()->growth(), DController_Mem::Growth::Grows);
}

TEST(DApplication, AFixedMemoryImageNeverBindsATagBeyondIt)
{
    FakeParts parts;
    DEngineOptions options;
    options.memoryImageSize = 100;
    options.memoryImageSizeFixed = true;
    DApplication application(parts, std::move(options));
    ASSERT_EQ(application.init(0, 0), 0);
    DProject& project = *application.project();
    auto inside = tagAt(DItemDescriptor::kMemory, 96);
    auto beyond = tagAt(DItemDescriptor::kMemory, 100, DValue::kShort, 2);
    EXPECT_NE(project.findTag(inside), nullptr);
    EXPECT_EQ(project.findTag(beyond), nullptr);
    EXPECT_EQ(application.memoryController()->imageSize(), 100u);
}

TEST(DApplication, TagsAreFoundAndBoundThroughTheirDescriptors)
{
    FakeParts parts;
    DApplication application(parts, {});
    ASSERT_EQ(application.init(0, 0), 0);
    DProject& project = *application.project();
    RecordingObserver widget;

    auto level = tagAt(DItemDescriptor::kLocal, 12);
    ASSERT_EQ(project.bindTag(level, widget, DProject::Binding::Watch), DStatus::Ok);
    ASSERT_NE(level.item, nullptr);
    EXPECT_EQ(level.item->observerCount(), 1u);

    // An action sets the value and marks it written; the next frame tells the widget.
    DValue* value = project.findTag(level);
    ASSERT_NE(value, nullptr);
    value->setNumber(55);
    value->markWritten();
    application.tick();
    EXPECT_EQ(widget.numbers, (std::vector<int32_t>{55}));

    ASSERT_EQ(project.bindTag(level, widget, DProject::Binding::Unwatch), DStatus::Ok);
    EXPECT_EQ(level.item->observerCount(), 0u);

    // No tag, a controller index past the list, a system number past 398: nothing.
    for (DItemDescriptor missing : {DItemDescriptor{}, tagAt(3, 0), tagAt(DItemDescriptor::kSystem, 399)}) {
        EXPECT_EQ(project.findTag(missing), nullptr);
        EXPECT_EQ(missing.item, nullptr);
        EXPECT_EQ(project.bindTag(missing, widget, DProject::Binding::Watch), DStatus::Failed);
    }
}

TEST(DApplication, EachFrameUpdatesTheSystemTagsFromThePlatformClock)
{
    FakeParts parts;
    DApplication application(parts, {});
    ASSERT_EQ(application.init(0, 0), 0);
    DProject& project = *application.project();
    auto counter = tagAt(DItemDescriptor::kSystem, DController_System::kCounter);
    auto page = tagAt(DItemDescriptor::kSystem, DController_System::kPageCurrent);
    parts.platform->now += 999;
    application.tick();
    EXPECT_EQ(project.findTag(counter)->number(), 0);
    parts.platform->now += 1;
    application.tick();
    EXPECT_EQ(project.findTag(counter)->number(), 1);
    EXPECT_EQ(project.findTag(page)->number(), -1);
}

TEST(DApplication, AReloadStartsTagsAfreshButKeepsTheMemoryImage)
{
    FakeParts parts;
    DApplication application(parts, {});
    ASSERT_EQ(application.init(0, 0), 0);
    DProject& project = *application.project();
    auto local = tagAt(DItemDescriptor::kLocal, 1);
    auto memory = tagAt(DItemDescriptor::kMemory, 8);
    auto counter = tagAt(DItemDescriptor::kSystem, DController_System::kCounter);
    ASSERT_NE(project.findTag(local), nullptr);
    DValue* stored = project.findTag(memory);
    ASSERT_NE(stored, nullptr);
    stored->setNumber(1234);
    stored->markWritten();
    parts.platform->now += 2000;
    application.tick();
    EXPECT_EQ(project.findTag(counter)->number(), 2);

    testing::internal::CaptureStdout();
    application.requestReload(1);
    application.tick();
    testing::internal::GetCapturedStdout(); // the fake platform's files hold no target file
    EXPECT_EQ(application.localController()->count(), 0u);
    EXPECT_EQ(application.memoryController()->count(), 0u);
    EXPECT_EQ(project.findTag(counter)->number(), 0);
    EXPECT_EQ(application.memoryController()->image()[8] | application.memoryController()->image()[9] << 8, 1234);
}

TEST(DApplication, NarrowTextGoesThroughTheCharacterSetTableWhileItRuns)
{
    const DString::NarrowConversion before = DString::narrowConversion();
    {
        FakeParts parts;
        DApplication application(parts, {});
        EXPECT_EQ(DString::narrowConversion(), &engineNarrowConversion);
        DString text(u"Valve");
        EXPECT_STREQ(text.toNarrow(), "Valve");
    }
    EXPECT_EQ(DString::narrowConversion(), before);
}
