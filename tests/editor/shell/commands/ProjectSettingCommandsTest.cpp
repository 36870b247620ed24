// The project settings the ribbon carries: each stores its clamped value, shows a clamped
// value in its edit, and marks the project modified and its target stale.

#include <gtest/gtest.h>

#include "editor/shell/commands/CMainFrameCommands.h"
#include "foundation/target/TargetFormat.h"
#include "tests/editor/shell/commands/FrameCommandsHarness.h"

namespace {

using vx::test::FrameCommandsHarness;

struct NumberCase {
    const char* name;
    CommandId edit;
    std::u16string typed;
    int32_t stored;
    std::optional<std::u16string> shown; // what the edit shows after, when written back
    int32_t CProjectSettings::*member;
};

void PrintTo(const NumberCase& c, std::ostream* out)
{
    *out << c.name;
}

class NumberSettings : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberSettings, StoreTheClampedValueAndMarkTheProject)
{
    FrameCommandsHarness h;
    h.Settle();
    const NumberCase& c = GetParam();
    ASSERT_TRUE(h.Enter(c.edit, c.typed));
    EXPECT_EQ(h.Settings().*c.member, c.stored);
    EXPECT_EQ(h.frame.texts[c.edit], c.shown.value_or(c.typed));
    EXPECT_EQ(h.frame.writtenBack[c.edit], c.shown ? 1 : 0);
    EXPECT_TRUE(h.project.IsModified());
    EXPECT_TRUE(h.project.IsTargetStale());
    EXPECT_GE(h.editor.counts.title, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ribbon, NumberSettings,
    ::testing::Values(
        NumberCase{"HoldFirstTenIsFifty", CommandId::HoldFirst, u"10", 50, u"50", &CProjectSettings::holdFirst},
        NumberCase{"HoldFirstInRange", CommandId::HoldFirst, u"1500", 1500, {}, &CProjectSettings::holdFirst},
        NumberCase{"HoldFirstTooLong", CommandId::HoldFirst, u"9000", 5000, u"5000", &CProjectSettings::holdFirst},
        NumberCase{"HoldRepeatTooShort", CommandId::HoldRepeat, u"5", 20, u"20", &CProjectSettings::holdRepeat},
        NumberCase{"HoldRepeatTooLong", CommandId::HoldRepeat, u"2001", 2000, u"2000", &CProjectSettings::holdRepeat},
        NumberCase{"ScreenSaverStart", CommandId::ScreenSaverTime, u"120", 120, {}, &CProjectSettings::SSstart},
        NumberCase{"ScreenSaverTooLate", CommandId::ScreenSaverTime, u"10000", 9999, u"9999", &CProjectSettings::SSstart},
        NumberCase{"LayerHorizontal", CommandId::PositionHorizontal, u"-40", -40, {},
                   &CProjectSettings::layerHorzPosition},
        NumberCase{"LayerVertical", CommandId::PositionVertical, u"75", 75, {}, &CProjectSettings::layerVertPosition}),
    [](const ::testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

TEST(ProjectSettingCommands, ScreenSaverOffStoresZeroAndKeepsItsText)
{
    FrameCommandsHarness h;
    h.Settings().SSstart = 30;
    ASSERT_TRUE(h.Enter(CommandId::ScreenSaverTime, u"off"));
    EXPECT_EQ(h.Settings().SSstart, 0);
    EXPECT_EQ(h.frame.texts[CommandId::ScreenSaverTime], u"off");
}

TEST(ProjectSettingCommands, TheSameValueAgainChangesNothing)
{
    FrameCommandsHarness h;
    h.Settings().holdFirst = 500;
    h.Settle();
    ASSERT_TRUE(h.Enter(CommandId::HoldFirst, u"500"));
    EXPECT_FALSE(h.project.IsModified());
    EXPECT_FALSE(h.project.IsTargetStale());
    EXPECT_EQ(h.editor.counts.modified, 0);
}

TEST(ProjectSettingCommands, TagMemorySizeIsClampedAndShown)
{
    FrameCommandsHarness h;
    h.Settle();
    ASSERT_TRUE(h.Enter(CommandId::TagMemorySize, u"1234567"));
    EXPECT_EQ(h.Settings().target.tagMemorySize, 999999);
    EXPECT_EQ(h.frame.texts[CommandId::TagMemorySize], u"999999");
    EXPECT_EQ(h.project.Tags().GetTagMemorySize(), 999999u);
    EXPECT_TRUE(h.project.IsModified());
    EXPECT_TRUE(h.project.IsTargetStale());

    ASSERT_TRUE(h.Enter(CommandId::TagMemorySize, u"-12"));
    EXPECT_EQ(h.Settings().target.tagMemorySize, 0);
    EXPECT_EQ(h.frame.texts[CommandId::TagMemorySize], u"0");
}

TEST(ProjectSettingCommands, TagMemorySizeRechecksEveryTagAddress)
{
    FrameCommandsHarness h;
    CTagsModel& tags = h.project.Tags();
    // Two tags that fit in 8192 bytes and have no warning.
    for (const auto& [name, address] : {std::pair{u"low", u"10"}, std::pair{u"high", u"1000"}}) {
        const int row = tags.AddNumericTag();
        ASSERT_TRUE(tags.SetName(row, name));
        tags.SetAddress(row, address);
    }
    ASSERT_TRUE(tags.Row(0).warning.empty());
    ASSERT_TRUE(tags.Row(1).warning.empty());

    // 0x1000 + 4 bytes no longer fit in 256; 0x10 + 4 still do.
    ASSERT_TRUE(h.Enter(CommandId::TagMemorySize, u"256"));
    EXPECT_TRUE(tags.Row(0).warning.empty());
    EXPECT_FALSE(tags.Row(1).warning.empty());
    EXPECT_GE(h.editor.counts.refreshTags, 1);

    ASSERT_TRUE(h.Enter(CommandId::TagMemorySize, u"8192"));
    EXPECT_TRUE(tags.Row(1).warning.empty());
}

TEST(ProjectSettingCommands, TargetFlagsToggleTheirBitAndShowIt)
{
    struct Flag {
        CommandId id;
        uint32_t bit;
    };
    for (const Flag flag : {Flag{CommandId::PremultipliedAlpha, target::kTargetFlagPremultiply},
                            Flag{CommandId::CompressedImages, target::kTargetFlagCompress},
                            Flag{CommandId::NavigationWithKeys, target::kTargetFlagFocusTracking}}) {
        FrameCommandsHarness h;
        h.Settle();
        const bool before = (uint32_t(h.Settings().target.targetFlags) & flag.bit) != 0;
        EXPECT_EQ(h.State(flag.id).checked, before) << ToInt(flag.id);
        ASSERT_TRUE(h.Run(flag.id));
        EXPECT_EQ((uint32_t(h.Settings().target.targetFlags) & flag.bit) != 0, !before) << ToInt(flag.id);
        EXPECT_EQ(h.State(flag.id).checked, !before) << ToInt(flag.id);
        EXPECT_TRUE(h.project.IsModified());
        EXPECT_TRUE(h.project.IsTargetStale());
        // Only the navigation flag changes which property groups the pane shows.
        EXPECT_EQ(h.editor.counts.refillFull, flag.id == CommandId::NavigationWithKeys ? 1 : 0) << ToInt(flag.id);
    }
}

TEST(ProjectSettingCommands, ColourDepthMarksTheProjectAndShowsOneChoice)
{
    FrameCommandsHarness h;
    h.Settle();
    ASSERT_TRUE(h.Run(CommandId::ColorDepth16));
    EXPECT_EQ(h.Settings().target.colorBits, 16);
    EXPECT_TRUE(h.project.IsModified());
    EXPECT_TRUE(h.project.IsTargetStale());
    EXPECT_GE(h.editor.counts.title, 1);
    EXPECT_EQ(h.State(CommandId::ColorDepth16).checked, true);
    for (const CommandId other : {CommandId::ColorDepth18, CommandId::ColorDepth32, CommandId::ColorDepth8})
        EXPECT_EQ(h.State(other).checked, false) << ToInt(other);

    ASSERT_TRUE(h.Run(CommandId::ColorDepth8));
    EXPECT_EQ(h.Settings().target.colorBits, 8);
    ASSERT_TRUE(h.Run(CommandId::ColorDepth18));
    EXPECT_EQ(h.Settings().target.colorBits, 18);
}

TEST(ProjectSettingCommands, TextAntiAliasingTakesTheChosenEntry)
{
    FrameCommandsHarness h;
    h.frame.indexes[CommandId::TextAntiAliasing] = 2;
    ASSERT_TRUE(h.Run(CommandId::TextAntiAliasing));
    EXPECT_EQ(h.Settings().target.textAliasing, 2);
    EXPECT_TRUE(h.project.IsModified());

    // No choice, or one the combo does not have, changes nothing.
    for (const int32_t index : {-1, 3}) {
        h.frame.indexes[CommandId::TextAntiAliasing] = index;
        ASSERT_TRUE(h.Run(CommandId::TextAntiAliasing));
        EXPECT_EQ(h.Settings().target.textAliasing, 2);
    }
}

TEST(ProjectSettingCommands, NativeEncodingTakesTheChosenEncodingsSlot)
{
    FrameCommandsHarness h;
    h.Settle();
    ASSERT_TRUE(h.Enter(CommandId::NativeEncoding, u"ISO-8859-1"));
    EXPECT_EQ(h.Settings().target.nativeEncoding, 23u);
    EXPECT_TRUE(h.project.IsModified());
    // Names that are no character encoding are not taken.
    for (const std::u16string_view name : {u"integer", u"native-encoding", u"nonsense"}) {
        ASSERT_TRUE(h.Enter(CommandId::NativeEncoding, name));
        EXPECT_EQ(h.Settings().target.nativeEncoding, 23u) << std::string(name.begin(), name.end());
    }
}

TEST(ProjectSettingCommands, LayerInitiallyVisibleToggles)
{
    FrameCommandsHarness h;
    ASSERT_EQ(h.State(CommandId::InitiallyVisible).checked, true);
    ASSERT_TRUE(h.Run(CommandId::InitiallyVisible));
    EXPECT_FALSE(h.Settings().layerInitiallyVisible);
    EXPECT_EQ(h.State(CommandId::InitiallyVisible).checked, false);
    EXPECT_TRUE(h.project.IsModified());
}

TEST(ProjectSettingCommands, WithoutAProjectEveryCommandIsDisabledAndDoesNothing)
{
    FrameCommandsHarness h;
    h.editor.project = nullptr;
    for (const CommandId id :
         {CommandId::HoldFirst, CommandId::HoldRepeat, CommandId::ScreenSaverTime, CommandId::InitiallyVisible,
          CommandId::PositionHorizontal, CommandId::PositionVertical, CommandId::PremultipliedAlpha,
          CommandId::CompressedImages, CommandId::NavigationWithKeys, CommandId::ColorDepth16, CommandId::ColorDepth8,
          CommandId::TextAntiAliasing, CommandId::NativeEncoding, CommandId::GenerateBinary, CommandId::TagMemorySize,
          CommandId::Play, CommandId::Download, CommandId::PageNew, CommandId::ScreenSaverCreatePage,
          CommandId::HoldPanelLabel, CommandId::ScreenSaverPanelLabel, CommandId::InsertPageAtTop,
          CommandId::DuplicatePage}) {
        EXPECT_FALSE(h.State(id).enabled) << ToInt(id);
        h.frame.texts[id] = u"1";
        h.Run(id);
    }
    for (int32_t type = 1; type <= CMainFrameCommands::kNewPageTypes; ++type)
        EXPECT_FALSE(h.State(CMainFrameCommands::kNewPageBase + type).enabled) << type;
    EXPECT_EQ(h.editor.counts.modified, 0);
    // The status bar's panes stay enabled: they are only there to be shown.
    EXPECT_TRUE(h.State(CommandId::StatusPosition).enabled);
    EXPECT_TRUE(h.State(CommandId::StatusSize).enabled);
}

} // namespace
