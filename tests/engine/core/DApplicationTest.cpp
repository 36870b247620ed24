#include <gtest/gtest.h>

#include "engine/core/DApplication.h"
#include "engine/core/DPage.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/widgets/DCompositeObject_DateTimeField.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DStatus.h"
#include "engine/posix/DMemory_CRT.h"
#include "engine/posix/DPlatform_posix.h"
#include "foundation/TextHelpers.h"
#include "tests/support/engine/FakePlatform.h"
#include "tests/support/engine/ItemDescriptor.h"
#include "tests/support/engine/KeptPart.h"
#include "tests/support/engine/RecordingObserver.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"
#include "tests/support/TestEnvironment.h"

namespace {

class NullParts : public DEngineParts {
public:
    explicit NullParts(int frames) : m_frames(frames) {}
    std::unique_ptr<DPlatform> createPlatform() override { return std::make_unique<DPlatform_posix>(); }
    std::unique_ptr<DDisplay> createDisplay() override { return vx::test::keep(display, m_frames); }
    DDisplay_Null* display = nullptr;

private:
    int m_frames;
};

// The engine on a clock the test sets.
class FakeParts : public DEngineParts {
public:
    std::unique_ptr<DPlatform> createPlatform() override { return vx::test::keep(platform, 1u); }
    std::unique_ptr<DDisplay> createDisplay() override { return std::make_unique<DDisplay_Null>(0); }
    FakePlatform* platform = nullptr;
};

DItemDescriptor tagAt(uint8_t controller, uint32_t address, uint8_t type = DValue::kInteger, uint16_t size = 4)
{
    return vx::test::itemDescriptor(controller, address, type, size);
}

} // namespace

TEST(DApplication, RunsTheLoopHeadlessForItsFrames)
{
    DMemory_CRT memory;
    DMemory::setGlobal(&memory);
    {
        NullParts parts(25);
        DApplication application(parts, {});
        ASSERT_EQ(application.init(0, 0), 0);
        // No process-wide application: the project's actions reach this one through it.
        EXPECT_EQ(application.project()->services(), &application);
        EXPECT_EQ(parts.display->width(), 640);
        EXPECT_EQ(parts.display->height(), 480);
        EXPECT_EQ(parts.display->project(), application.project());
        EXPECT_EQ(application.run(), 0);
        EXPECT_EQ(application.frameCount(), 25u);
        EXPECT_EQ(parts.display->messagePasses(), 26);
    }
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

namespace {

// A date field and a time field on the clock tag, over a white background.
std::vector<uint8_t> clockPage()
{
    vx::test::TargetBuilder builder(120, 60, 1);
    const uint32_t font = builder.font(vx::test::sansBytes());
    const auto clock = target::TagReference::make(target::Controller::System, DController_System::kTime,
                                                  target::kValueType32, 4);
    builder.page(uint32_t(target::PageType::Normal), -1, [&](vx::test::TargetBuilder::Page& page) {
        vx::test::FieldRecord date;
        date.type = target::WidgetType::DateTimeField;
        date.tag = clock;
        date.dateCode = 3; // day, month and four-digit year, two digits each
        date.separator.bytes = {'/', 0, 0, 0};
        vx::test::FieldRecord time = date;
        time.dateCode = 65537; // hours, minutes, seconds
        time.separator.bytes = {':', 0, 0, 0};
        time.rect = {0, 30, 60, 50};
        vx::test::writeField(page, font, date);
        vx::test::writeField(page, font, time);
        page.backgroundColour(0xFFFFFFFFu, 120, 60);
    });
    return builder.finish();
}

std::u16string fieldText(DProject& project, std::size_t number)
{
    auto* field = dynamic_cast<DCompositeObject_DateTimeField*>(project.currentPage()->widgets().at(number));
    if (!field || !field->textPrimitive())
        return u"(no field)";
    return std::u16string(field->textPrimitive()->text().view());
}

} // namespace

TEST(DApplication, TheClockTagAndTheFieldsOnItReadThePlatformWallClock)
{
    FakeParts parts;
    DApplication application(parts, {});
    ASSERT_EQ(application.init(0, 0), 0);
    parts.platform->fileBytes = clockPage();
    ASSERT_EQ(application.project()->load(DString(u"clock.ddd")), 0);
    DProject& project = *application.project();
    auto clock = tagAt(DItemDescriptor::kSystem, DController_System::kTime);

    parts.platform->wallClock = 1709251198; // 29 February 2024, 23:59:58 UTC
    application.tick();
    EXPECT_EQ(project.findTag(clock)->number(), 1709251198);
    EXPECT_EQ(fieldText(project, 0), u"29/02/2024");
    EXPECT_EQ(fieldText(project, 1), u"23:59:58");

    // The millisecond clock alone does not move it.
    parts.platform->now += 5000;
    application.tick();
    EXPECT_EQ(fieldText(project, 1), u"23:59:58");

    parts.platform->wallClock += 2;
    application.tick();
    EXPECT_EQ(fieldText(project, 0), u"01/03/2024");
    EXPECT_EQ(fieldText(project, 1), u"00:00:00");
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
