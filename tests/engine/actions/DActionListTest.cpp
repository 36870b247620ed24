#include <gtest/gtest.h>

#include "engine/actions/DAction.h"
#include "engine/actions/DActionTrigger.h"
#include "engine/core/DStatus.h"
#include "tests/support/engine/DActionTestHarness.h"

using namespace action_test;
using A = ActionNumber;
using vx::test::TargetBuilder;

namespace {

const TagReference kResult = local(3);

Step add(int32_t amount)
{
    return {A::IncrementTag, {kResult, amount}};
}

std::vector<uint8_t> words(std::initializer_list<uint32_t> values)
{
    vx::test::ByteWriter bytes;
    for (const uint32_t value : values)
        target::writeWord(bytes, value);
    return bytes.out;
}

struct LoadCase {
    const char* name;
    std::vector<uint8_t> bytes;
    uint64_t limit; // bytes of the record; 0 for the whole file
    int status;
    std::vector<std::size_t> actionsPerTrigger;
};

// Action blocks with damage the writer cannot make, word by word: group count; per group
// trigger, key word (12 to 14 only), action count; per action number, argument byte
// count, arguments.
std::vector<LoadCase> loadCases()
{
    constexpr uint32_t kNone = 0xFFFFFFFFu, kHuge = 0x7FFFFFF0u;
    constexpr uint32_t kRelease = uint32_t(TriggerNumber::Release), kKeyDown = uint32_t(TriggerNumber::KeyDown);
    constexpr uint32_t kIncrement = uint32_t(A::IncrementTag), kSetString = uint32_t(A::SetStringTag),
                       kEnd = uint32_t(A::End), kUnknown = 99;
    static_assert(kUnknown >= target::kActionRowCount);
    constexpr uint32_t kTagAndWord = TagReference::kSize + target::kWordSize;
    // The limit that cuts the first action's tag off: group count, group and action headers.
    constexpr uint32_t kBeforeTheTag =
        target::kWordSize + target::TriggerGroupHeader::kSmallestSize + target::ActionHeader::kSize;
    const TagReference tag = local(1);
    return {
        {"count beyond the record", words({kNone, kRelease, 0}), 0, DStatus::BeyondLimit, {}},
        {"action count beyond the record keeps the triggers before",
         words({2, kRelease, 1, kIncrement, kTagAndWord, tag.low, tag.high, 3, kRelease, 0x40000000, kIncrement,
                kTagAndWord}),
         0, DStatus::BeyondLimit, {1}},
        {"text operand beyond the record", words({1, kRelease, 1, kSetString, kHuge, tag.low, tag.high, 'A'}), 0,
         DStatus::BeyondLimit, {}},
        {"short operands read what is there", words({1, kRelease, 1, kIncrement, target::kWordSize, tag.low}), 0,
         DStatus::Ok, {1}},
        {"unknown action skipped by its byte count",
         words({1, kRelease, 2, kUnknown, 2 * target::kWordSize, 1, 2, kEnd, 0}), 0, DStatus::Ok, {2}},
        {"key word only for key events", words({2, kKeyDown, 'a', 0, kRelease, 1, kEnd, 0}), 0, DStatus::Ok, {0, 1}},
        {"the read limit ends the record", words({1, kRelease, 1, kIncrement, kTagAndWord, tag.low, tag.high, 3}),
         kBeforeTheTag, DStatus::BeyondLimit, {}},
        {"empty", words({0}), 0, DStatus::Ok, {}},
        {"nothing at all", {}, 0, DStatus::BeyondLimit, {}},
    };
}

TEST(DActionList, LoadIsBoundedByTheRecord)
{
    for (const LoadCase& row : loadCases()) {
        DFile_Memory file(row.bytes);
        ASSERT_EQ(file.open(DString(u"record")), DStatus::Ok);
        ASSERT_TRUE(file.pushLimit(row.limit ? row.limit : row.bytes.size()));
        DActionList list(nullptr);
        EXPECT_EQ(list.load(file), row.status) << row.name;
        std::vector<std::size_t> actions;
        for (const auto& trigger : list.triggers())
            actions.push_back(trigger->actions().size());
        EXPECT_EQ(actions, row.actionsPerTrigger) << row.name;
    }
}

TEST(DActionList, OperandsAndTheKeyAreDecodedFromTheRecord)
{
    const auto bytes = vx::test::actionBlockBytes([](target::ActionBlockWriter& block) {
        block.beginGroup(uint32_t(TriggerNumber::KeyUp), 0x1DC00D83);
        block.beginAction(uint32_t(A::CompareTag));
        block.writeTagArgument(TagReference::make(target::Controller::Memory, 3, target::kValueType32, 4));
        block.writeWordArgument(7);
        block.writeWordArgument(4);
        block.beginGroup(uint32_t(TriggerNumber::Release), 0);
        block.beginAction(uint32_t(A::SetStringTag));
        block.writeTagArgument(TagReference::none());
        block.writeTextArgument(u"Hi");
    });
    DFile_Memory file(bytes);
    ASSERT_EQ(file.open(DString(u"record")), DStatus::Ok);
    DActionList list(nullptr);
    ASSERT_EQ(list.load(file), DStatus::Ok);
    ASSERT_EQ(list.triggers().size(), 2u);
    const DActionTrigger& key = *list.triggers()[0];
    EXPECT_EQ(key.event(), 13u);
    EXPECT_EQ(key.keyValue().type(), DValue::kInteger);
    EXPECT_EQ(uint32_t(key.keyValue().number()), 0x1DC00D83u); // a surrogate pair in one word
    EXPECT_EQ(list.triggers()[1]->keyValue().type(), DValue::kNotSet);
    const DAction& compare = *key.actions()[0];
    EXPECT_EQ(compare.tag().controller, DItemDescriptor::kMemory);
    EXPECT_EQ(compare.tag().address, 3u);
    EXPECT_EQ(compare.tag().type, 1);
    EXPECT_EQ(compare.tag().size, 4);
    EXPECT_EQ(compare.a(), 7);
    EXPECT_EQ(compare.l(), 4);
    const DAction& text = *list.triggers()[1]->actions()[0];
    EXPECT_TRUE(text.tag().isNoTag());
    EXPECT_EQ(text.text().type(), DCharsetTable::kUtf16LE);
    const auto units = text.text().bytes();
    EXPECT_EQ(std::vector<uint8_t>(units.begin(), units.end()), (std::vector<uint8_t>{'H', 0, 'i', 0, 0, 0}));
}

class ActionList : public ActionHarness {};

TEST_F(ActionList, KeyTriggersRunOnlyForTheirKeyAndQueriesRunNothing)
{
    loadPage({{TriggerNumber::KeyDown, 'a', {add(1)}}, {TriggerNumber::KeyUp, 'a', {add(10)}}});
    DActionList& list = *widget(0).actions();
    EXPECT_EQ(list.fire(uint32_t(TriggerNumber::KeyDown), 'b', false), 2);
    EXPECT_EQ(list.fire(uint32_t(TriggerNumber::KeyDown), 'a', true), 0);
    EXPECT_EQ(list.fire(uint32_t(TriggerNumber::KeyHold), 'a', true), 2);
    EXPECT_EQ(number(kResult), 0);
    EXPECT_EQ(list.fire(uint32_t(TriggerNumber::KeyDown), 'a', false), 0);
    EXPECT_EQ(number(kResult), 1);
    EXPECT_EQ(list.fire(uint32_t(TriggerNumber::TouchUp), 0, false), 2);
}

// Page 0: areas 0 and 1 (0's right and lower neighbour is 1), then the background; the
// initial focus on 0 makes the page the focus page.
std::vector<uint8_t> twoAreas(const Script& first, const Script& second)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    builder.page(uint32_t(target::PageType::Normal), 0, [&](auto& page) {
        target::ObjectRecordHeader header;
        header.right = 1;
        header.down = 1;
        scriptedArea(page, first, 0, 0, 16, 16, header);
        scriptedArea(page, second, 20, 0, 36, 16);
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    return builder.finish();
}

TEST_F(ActionList, SetFocusAndSendKeyReachTheOtherWidget)
{
    load(twoAreas(onRelease({{A::SetFocusToObject, {1}}, {A::SendKey, {'x'}}}),
                  {{TriggerNumber::FocusGained, 0, {add(1)}}, {TriggerNumber::KeyDown, 'x', {add(10)}}}));
    DPage& page = *project().currentPage();
    FocusFrame::give(widget(1), page);
    release(0);
    EXPECT_EQ(page.focusIndex(), 1);
    EXPECT_EQ(number(kResult), 11);
}

TEST_F(ActionList, SendKeyFirstGivesTheFocusBackToThePressedWidget)
{
    load(twoAreas(onRelease({{A::SendKey, {'x'}}}),
                  {{TriggerNumber::FocusGained, 0, {add(1)}}, {TriggerNumber::KeyDown, 'x', {add(10)}}}));
    DPage& page = *project().currentPage();
    FocusFrame::give(widget(1), page);
    page.setPressedIndex(1);
    release(0);
    EXPECT_EQ(page.focusIndex(), 1);
    EXPECT_EQ(number(kResult), 11);
}

TEST_F(ActionList, ArrowsMoveTheFocusUnlessAKeyTriggerTakesTheKey)
{
    load(twoAreas({{TriggerNumber::KeyUp, 6, {}}}, {{TriggerNumber::FocusGained, 0, {add(1)}}}));
    DPage& page = *project().currentPage();
    FocusFrame::give(widget(0), page);
    FocusFrame::give(widget(1), page);
    page.setFocus(0);
    project().onKeyDown(6); // a key-up trigger for Down holds the focus
    EXPECT_EQ(page.focusIndex(), 0);
    project().onKeyDown(2);
    EXPECT_EQ(page.focusIndex(), 1);
    EXPECT_EQ(number(kResult), 1);
}

TEST_F(ActionList, ChangePageFocusAlternatesBetweenTheBasePageAndThePage)
{
    TargetBuilder builder(kWidth, kHeight, 2);
    builder.header().basePagePlusOne = 1;
    builder.header().startPage = 1;
    builder.page(uint32_t(target::PageType::Global), 0,
                 [&](auto& page) { scriptedArea(page, {{TriggerNumber::FocusGained, 0, {add(100)}}}, 0, 30, 16, 46); });
    builder.page(uint32_t(target::PageType::Normal), 0, [&](auto& page) {
        scriptedArea(page, {{TriggerNumber::TouchUp, 0, {{A::ChangePageFocus, {}}}},
                            {TriggerNumber::FocusGained, 0, {add(1)}}});
    });
    load(builder.finish());
    DPage& base = *project().basePage();
    DPage& page = *project().currentPage();
    FocusFrame::give(widget(0, &base), base);
    FocusFrame::give(widget(0, &page), page);
    ASSERT_EQ(project().focusPage(), &base); // the base page keeps the focus it took first
    setNumber(kResult, 0);
    release();
    EXPECT_EQ(project().focusPage(), &page);
    EXPECT_EQ(number(kResult), 1);
    release();
    EXPECT_EQ(project().focusPage(), &base);
    EXPECT_EQ(number(kResult), 101);
}

TEST_F(ActionList, AKeyThatSendsItselfStopsAtTheNestingLimit)
{
    loadPage({{TriggerNumber::KeyDown, 13, {add(1), {A::SendKey, {13}}}}}, 0);
    DPage& page = *project().currentPage();
    FocusFrame::give(widget(0), page);
    page.setFocus(0);
    project().onKeyDown(13);
    EXPECT_EQ(number(kResult), DActionList::kMaxNesting);
    EXPECT_EQ(DActionList::nesting(), 0);
    project().onKeyDown(13); // the engine goes on as before
    EXPECT_EQ(number(kResult), 2 * DActionList::kMaxNesting);
}

TEST_F(ActionList, FocusTriggersThatPassTheFocusBackAndForthStop)
{
    load(twoAreas({{TriggerNumber::FocusGained, 0, {add(1), {A::SetFocusToObject, {1}}}}},
                  {{TriggerNumber::FocusGained, 0, {add(1), {A::SetFocusToObject, {0}}}}}));
    // At load the page is already the focus page when its first widget gains the focus,
    // so the passing starts there and stops at the same depth.
    EXPECT_EQ(number(kResult), DActionList::kMaxNesting);
    setNumber(kResult, 0);
    project().currentPage()->setFocus(1);
    EXPECT_EQ(number(kResult), DActionList::kMaxNesting);
    EXPECT_EQ(DActionList::nesting(), 0);
}

TEST_F(ActionList, ATriggerWhoseWidgetGoesAwayStopsThere)
{
    // A key sent from the screen saver takes it down, and with it the sending widget.
    TargetBuilder builder(kWidth, kHeight, 2);
    builder.header().screenSaverPage = 1;
    builder.page(uint32_t(target::PageType::Normal), -1,
                 [&](auto& page) { page.backgroundColour(0xFF000000, kWidth, kHeight); });
    builder.page(uint32_t(target::PageType::ScreenSaver), 0, [&](auto& page) {
        scriptedArea(page, {{TriggerNumber::KeyDown, 'k', {{A::SendKey, {'z'}}, add(1)}},
                            {TriggerNumber::KeyDown, 'k', {add(10)}}});
    });
    load(builder.finish());
    project().showPage(1, DProject::Jump::Absolute);
    DPage& saver = *project().currentPage();
    ASSERT_EQ(saver.type(), uint32_t(DPage::ScreenSaver));
    FocusFrame::give(widget(0), saver);
    saver.setFocus(0);
    project().onKeyDown('k');
    EXPECT_EQ(project().currentIndex(), 0);
    EXPECT_EQ(number(kResult), 0);
    EXPECT_EQ(DActionList::nesting(), 0);
}

TEST_F(ActionList, PageChangesQueuedByDeferredOnesWaitForTheNextFrame)
{
    TargetBuilder builder(kWidth, kHeight, 3);
    builder.page(uint32_t(target::PageType::Normal), -1,
                 [&](auto& page) { scriptedArea(page, onRelease({{A::GoToNextPage, {}}})); });
    builder.page(uint32_t(target::PageType::Normal), -1,
                 [&](auto& page) { scriptedArea(page, {{TriggerNumber::EnteringPage, 0, {{A::GoToNextPage, {}}}}}); });
    builder.page(uint32_t(target::PageType::Normal), -1,
                 [&](auto& page) { page.backgroundColour(0xFF000000, kWidth, kHeight); });
    load(builder.finish());
    release();
    application.tick();
    EXPECT_EQ(project().currentIndex(), 1);
    application.tick();
    EXPECT_EQ(project().currentIndex(), 2);
}

} // namespace
