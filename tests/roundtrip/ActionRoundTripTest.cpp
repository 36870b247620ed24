// Every action row as the editor compiles it, read back by the engine's own action reader.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "editor/document/ActionTable.h"
#include "engine/actions/DAction.h"
#include "engine/actions/DActionList.h"
#include "engine/actions/DActionTrigger.h"
#include "engine/core/DFile_Memory.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetSystemTags.h"
#include "tests/support/editor/ActionCompileHarness.h"

using target::ActionNumber;
using target::Controller;
using target::TagReference;
using vx::test::ActionCompileHarness;
using vx::test::Entry;

namespace {

constexpr int32_t kSlider = 18;

// What the engine must find in one action.
struct Expected {
    ActionNumber input;        // the row the user chose
    std::u16string_view parameters;
    ActionNumber row;          // the row compiled
    std::optional<TagReference> tag{};
    std::optional<TagReference> tag2{};
    int32_t a = 0;
    int32_t b = 0;
    int32_t l = 0;
    std::u16string_view text{};
};

const TagReference kT1 = TagReference::make(Controller::Memory, 0x10, 1, 4);
const TagReference kT2 = TagReference::make(Controller::Local, 0, 0, 2);
const TagReference kS1 = TagReference::make(Controller::Local, 1, 10, 20);
const TagReference kS2 = TagReference::make(Controller::Memory, 0x20, 11, 8);
const TagReference kStore = TagReference::make(Controller::System, 144, 1, 4);
const TagReference kCounter = TagReference::system(target::SystemTags::kCounter);

std::vector<Expected> everyRow()
{
    using A = ActionNumber;
    return {
        {A::GoToNextPage, u"", A::GoToNextPage},
        {A::GoToPreviousPage, u"", A::GoToPreviousPage},
        {A::GoToPage, u"Settings", A::GoToPage, {}, {}, 1},
        {A::GoToLastVisitedPage, u"", A::GoToLastVisitedPage},
        {A::GoToInitialPage, u"", A::GoToInitialPage},
        {A::ExitAndLoadProject, u"3", A::ExitAndLoadProject, {}, {}, 3},
        {A::Sleep, u"250", A::Sleep, {}, {}, 250},
        {A::TurnLedOn, u"1", A::TurnLedOn, {}, {}, 1},
        {A::TurnLedOff, u"2", A::TurnLedOff, {}, {}, 2},
        {A::ShowLayer, u"4", A::ShowLayer, {}, {}, 4},
        {A::HideLayer, u"0x5", A::HideLayer, {}, {}, 5},
        {A::SetLayerHorizontalPosition, u"2 40", A::SetLayerHorizontalPosition, {}, {}, 2, 40},
        {A::SetLayerVerticalPosition, u"3 = 50", A::SetLayerVerticalPosition, {}, {}, 3, 50},
        {A::SetTag, u"T1 = 4294967295", A::SetTag, kT1, {}, -1},
        {A::SetTag, u"T1 = sys_counter", A::SetTagFromTag, kT1, kCounter},
        {A::IncrementTag, u"T1 3 unlimited", A::IncrementTag, kT1, {}, 3},
        {A::DecrementTag, u"Store 2 x", A::DecrementTag, kStore, {}, 2},
        {A::IncrementTag, u"T1 5 max 100", A::IncrementTagWithLimit, kT1, {}, 5, 0, 100},
        {A::DecrementTag, u"T1 5 min 1", A::DecrementTagWithLimit, kT1, {}, 5, 0, 1},
        {A::IncrementTag, u"T1 T2 x", A::IncrementTagByTag, kT1, kT2},
        {A::DecrementTag, u"T1 T2 x", A::DecrementTagByTag, kT1, kT2},
        {A::IncrementTag, u"T1 T2 max 9", A::IncrementTagByTagWithLimit, kT1, kT2, 0, 0, 9},
        {A::DecrementTag, u"T1 T2 min 7", A::DecrementTagByTagWithLimit, kT1, kT2, 0, 0, 7},
        {A::MultiplyTag, u"T1 2 x", A::MultiplyTag, kT1, {}, 2},
        {A::DivideTag, u"T1 3 x", A::DivideTag, kT1, {}, 3},
        {A::MultiplyTag, u"T1 2 max 50", A::MultiplyTagWithLimit, kT1, {}, 2, 0, 50},
        {A::DivideTag, u"T1 2 min 1", A::DivideTagWithLimit, kT1, {}, 2, 0, 1},
        {A::MultiplyTag, u"T1 T2 x", A::MultiplyTagByTag, kT1, kT2},
        {A::DivideTag, u"T1 T2 x", A::DivideTagByTag, kT1, kT2},
        {A::MultiplyTag, u"T1 T2 max 60", A::MultiplyTagByTagWithLimit, kT1, kT2, 0, 0, 60},
        {A::DivideTag, u"T1 T2 min 2", A::DivideTagByTagWithLimit, kT1, kT2, 0, 0, 2},
        {A::BitwiseTag, u"T1 | 6", A::BitwiseTag, kT1, {}, 6, 0, 1},
        {A::BitwiseTag, u"T1 ^ T2", A::BitwiseTagWithTag, kT1, kT2, 0, 0, 2},
        {A::CompareTag, u"T1 > 3", A::CompareTag, kT1, {}, 3, 0, 4},
        {A::CompareTag, u"T1 <= T2", A::CompareTagWithTag, kT1, kT2, 0, 0, 3},
        {A::Else, u"", A::Else},
        {A::End, u"", A::End},
        {A::NewAction, u"", A::NewAction},
        {A::SetFocusToObject, u"Button1", A::SetFocusToObject, {}, {}, 0},
        {A::ElseCompareTag, u"T1 == 1", A::ElseCompareTag, kT1, {}, 1, 0, 0},
        {A::ElseCompareTag, u"T1 != T2", A::ElseCompareTagWithTag, kT1, kT2, 0, 0, 1},
        {A::SetStringTag, u"S1 = hello = world", A::SetStringTag, kS1, {}, 0, 0, 0, u"hello = world"},
        {A::SetStringTag, u"S1 = S2", A::CopyStringTag, kS1, kS2},
        {A::ConcatenateTag, u"S1 += tail", A::ConcatenateTag, kS1, {}, 0, 0, 0, u"tail"},
        {A::ConcatenateTag, u"S1 += S2", A::ConcatenateStringTag, kS1, kS2},
        {A::SendKey, u"Enter", A::SendKey, {}, {}, 13},
        {A::ChangePageFocus, u"", A::ChangePageFocus},
    };
}

std::vector<uint8_t> utf16WithTerminator(std::u16string_view text)
{
    std::vector<uint8_t> bytes;
    for (const char16_t unit : text) {
        bytes.push_back(uint8_t(unit));
        bytes.push_back(uint8_t(unit >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

void expectTag(const DItemDescriptor& read, const std::optional<TagReference>& expected, const std::string& where)
{
    const DItemDescriptor wanted = expected ? DItemDescriptor::fromReference(*expected) : DItemDescriptor{};
    EXPECT_EQ(read.controller, wanted.controller) << where;
    EXPECT_EQ(read.address, wanted.address) << where;
    EXPECT_EQ(read.type, wanted.type) << where;
    EXPECT_EQ(read.size, wanted.size) << where;
}

struct Placed {
    uint32_t trigger;
    std::u16string_view detail;
    const Expected* action;
};

} // namespace

TEST(ActionRoundTrip, EveryRowReadsBackAsCompiled)
{
    ActionCompileHarness h;
    h.AddTag(u"T1", u"integer", 4, u"10");
    h.AddTag(u"T2", u"short", 2, u"");
    h.AddTag(u"S1", u"UTF-8", 20, u"");
    h.AddTag(u"S2", u"UTF-16LE", 8, u"20");
    h.AddTag(u"Store", u"integer", 4, u"storage");
    const auto slider = vx::test::MakeOwner(kSlider, u"Slider1");
    h.scope.page = slider.get();
    h.scope.objects = {{u"Button1", 0}};
    h.scope.pages = {{u"Main", 0}, {u"Settings", 1}};

    // Every row once, spread over all 17 triggers; the key triggers carry details.
    const std::vector<Expected> rows = everyRow();
    constexpr std::u16string_view kDetails[] = {u"Enter", u"a", u"\U0001F600"};
    std::vector<ActionEntry> entries;
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const uint32_t trigger = uint32_t(1 + i % target::kLastTrigger);
        const std::u16string_view detail = target::triggerHasKeyWord(trigger) ? kDetails[i % 3] : u"";
        entries.push_back(Entry(trigger, uint32_t(rows[i].input), rows[i].parameters, detail));
        placed.push_back({trigger, detail, &rows[i]});
    }
    // The engine finds them by trigger number, in list order within a trigger.
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.trigger < b.trigger; });

    const vx::test::CompiledBlock block = h.Compile(*slider, entries);
    ASSERT_EQ(block.status, 0);
    ASSERT_TRUE(h.output.lines.empty()) << std::string(h.output.lines.front().text.begin(), h.output.lines.front().text.end());

    DFile_Memory file(block.bytes);
    ASSERT_EQ(file.open(DString(u"block")), DStatus::Ok);
    ASSERT_TRUE(file.pushLimit(block.bytes.size()));
    DActionList list(nullptr);
    ASSERT_EQ(list.load(file), DStatus::Ok);
    EXPECT_EQ(file.tell(), block.bytes.size()); // nothing left over, nothing missing

    std::size_t next = 0;
    for (const auto& trigger : list.triggers()) {
        for (const auto& action : trigger->actions()) {
            ASSERT_LT(next, placed.size());
            const Placed& place = placed[next++];
            const Expected& want = *place.action;
            const std::string where = "row " + std::to_string(uint32_t(want.row));
            EXPECT_EQ(trigger->event(), place.trigger) << where;
            if (target::triggerHasKeyWord(place.trigger)) {
                EXPECT_EQ(uint32_t(trigger->keyValue().number()), KeyWordFromText(place.detail)) << where;
            }
            EXPECT_EQ(action->type(), uint32_t(want.row)) << where;
            expectTag(action->tag(), want.tag, where);
            expectTag(action->tag2(), want.tag2, where);
            EXPECT_EQ(action->a(), want.a) << where;
            EXPECT_EQ(action->b(), want.b) << where;
            EXPECT_EQ(action->l(), want.l) << where;
            const auto bytes = action->text().bytes();
            if (!want.text.empty()) {
                EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), utf16WithTerminator(want.text)) << where;
            }
        }
    }
    EXPECT_EQ(next, placed.size());

    // Every row the editor compiles appears: all but "unknown" and "<empty>".
    std::vector<bool> seen(target::kActionRowCount, false);
    for (const Expected& row : rows)
        seen[std::size_t(row.row)] = true;
    for (uint32_t row = 1; row < target::kActionRowCount; ++row)
        EXPECT_EQ(seen[row], row != uint32_t(ActionNumber::Empty)) << row;
}

// Parameter texts no editor pane writes, as a damaged or hand-edited project holds them:
// whatever compiles is read back whole by the engine.
TEST(ActionRoundTrip, OddParametersStillGiveAReadableBlock)
{
    ActionCompileHarness h;
    h.AddTag(u"T1", u"integer", 4, u"10");
    h.AddTag(u"S1", u"UTF-8", 20, u"");
    const auto slider = vx::test::MakeOwner(kSlider, u"Slider1");
    h.scope.page = slider.get();
    const std::u16string longText = u"S1 = " + std::u16string(70000, u'x');
    const std::u16string_view odd[] = {
        u"", u" ", u"= = =", u"T1 = ", u" = T1", u"T1 = 99999999999999999999", u"T1\n=\n5", u"T1 = \xD800",
        u"T1 5 max", u"T1 5 max 7 8 9", u"T1 & & &", u"T1 ~", u"S1 = \r\n", longText, u"S1 += ", u"\u00AD\u00AD",
    };
    using A = ActionNumber;
    const A actions[] = {A::SetTag,     A::IncrementTag, A::MultiplyTag, A::BitwiseTag, A::CompareTag,
                         A::SetStringTag, A::ConcatenateTag, A::SendKey, A::GoToPage,  A::SetFocusToObject};
    const uint32_t kKeyDown = uint32_t(target::TriggerNumber::KeyDown);
    for (const A action : actions) {
        for (const std::u16string_view parameters : odd) {
            const vx::test::CompiledBlock block =
                h.Compile(*slider, {Entry(kKeyDown, uint32_t(action), parameters, u"\xDC00")});
            if (block.status != 0)
                continue; // an error keeps the target from leaving the editor
            DFile_Memory file(block.bytes);
            ASSERT_EQ(file.open(DString(u"block")), DStatus::Ok);
            ASSERT_TRUE(file.pushLimit(block.bytes.size()));
            DActionList list(nullptr);
            EXPECT_EQ(list.load(file), DStatus::Ok) << uint32_t(action);
            EXPECT_EQ(file.tell(), block.bytes.size()) << uint32_t(action);
        }
    }
}
