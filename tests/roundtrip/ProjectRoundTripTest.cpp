// A project compiled by the editor's drivers and run by the engine's own reader: the
// start page it opens on, a tag the page's script writes into the tag memory, and a page
// script that changes the page. (A button that changes the page and a field bound to a
// tag come with their object classes.)

#include <gtest/gtest.h>

#include "editor/project/compile/CProjectCompiler.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/editor/ProjectHarness.h"
#include "tests/support/engine/EngineHarness.h"

namespace {

using vx::test::ProjectHarness;
using vx::test::SetValue;

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;
constexpr uint32_t kLevelAddress = 0x10;

std::u16string actions(std::u16string_view trigger, std::u16string_view command, std::u16string_view params)
{
    return u"[{\"command\":\"" + std::u16string(command) + u"\",\"params\":\"" + std::u16string(params)
        + u"\",\"trigger\":\"" + std::u16string(trigger) + u"\",\"triggerParams\":\"\"}]";
}

struct CompiledProject : ::testing::Test {
    void SetUp() override
    {
        CProject& project = *harness.project;
        project.Settings().target.pageSize = u"320x240";
        project.Settings().target.targetFlags = 0;   // colours as stored, pictures raw
        project.SettingsChanged();
        CTagRow level;
        level.name = level.originalName = u"Level";
        level.address = CTagAddress::Fixed(kLevelAddress);
        (void)project.Tags().AddTag(level, IdenticalTags::Keep);

        CPage& main = project.AddPage();
        main.SetName(u"Main");
        main.SetOriginalName(u"Main");
        main.SetBackgroundColor(0x0000FF);   // red
        CPage& start = project.AddPage(int32_t(target::PageType::Initial));
        start.SetName(u"Start");
        start.SetOriginalName(u"Start");
        start.SetBackgroundColor(0x00FF00);   // green
        SetValue(start, u"Behavior", u"_Action script", actions(u"On entering page", u"Set tag", u"Level = 42"));
        compiled = CProjectCompiler::Compile(project);
    }

    // The start page's script then also goes on to Main.
    CCompiledTarget CompiledWithPageChange()
    {
        const std::u16string enter = actions(u"On entering page", u"Set tag", u"Level = 42");
        const std::u16string change = actions(u"On entering page", u"Go to page X", u"Main");
        SetValue(harness.project->GetPage(1), u"Behavior", u"_Action script",
                 enter.substr(0, enter.size() - 1) + u"," + change.substr(1));
        return CProjectCompiler::Compile(*harness.project);
    }

    ProjectHarness harness;
    CCompiledTarget compiled;
    EngineHarness<kWidth, kHeight, 3> engine;
};

TEST_F(CompiledProject, TheEngineOpensOnTheStartPage)
{
    ASSERT_FALSE(compiled.HasErrors());
    ASSERT_EQ(engine.load(compiled.bytes), DStatus::Ok);
    EXPECT_EQ(engine.project.pageCount(), 2u);
    EXPECT_EQ(engine.project.pageSize(), (DSize{kWidth, kHeight}));
    engine.frames(2);
    EXPECT_EQ(engine.project.currentIndex(), 1);
    EXPECT_EQ(engine.pixel(kWidth / 2, kHeight / 2) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(CompiledProject, ThePageScriptWritesTheTagItNames)
{
    ASSERT_EQ(engine.load(compiled.bytes), DStatus::Ok);
    engine.frames(2);
    const auto level = target::TagReference::make(target::Controller::Memory, kLevelAddress, target::kValueType32, 4);
    EXPECT_EQ(engine.number(level), 42);
}

TEST_F(CompiledProject, APageScriptGoesToTheOtherPage)
{
    const CCompiledTarget changing = CompiledWithPageChange();
    ASSERT_FALSE(changing.HasErrors());
    ASSERT_EQ(engine.load(changing.bytes), DStatus::Ok);
    engine.frames(3);
    EXPECT_EQ(engine.project.currentIndex(), 0);
    EXPECT_EQ(engine.project.previousIndex(), 1);
    EXPECT_EQ(engine.pixel(kWidth / 2, kHeight / 2) & 0xFFFFFF, 0xFF0000u);
}

} // namespace
