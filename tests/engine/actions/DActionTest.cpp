#include <gtest/gtest.h>

#include <climits>

#include "engine/actions/DAction.h"
#include "engine/actions/DActionTrigger.h"
#include "engine/core/DEngineServices.h"
#include "tests/support/engine/DActionTestHarness.h"

using namespace action_test;
using A = ActionNumber;
using vx::test::TargetBuilder;

namespace {

const TagReference kTag = local(1), kOther = local(2), kResult = local(3), kProbe = local(4);

struct NumberCase {
    A number;
    int32_t start;
    int32_t operand; // A, or the value of the second tag
    int32_t limit;   // L where the signature has one
    int32_t expected;
};

// Arguments in signature order: the written tag, then A or the second tag, then L.
std::vector<Argument> argumentsOf(const NumberCase& row)
{
    std::vector<Argument> arguments{kTag};
    const std::string_view signature = target::actionSignature(uint32_t(row.number));
    arguments.push_back(signature[1] == 't' ? Argument(kOther) : Argument(row.operand));
    if (signature.size() == 3)
        arguments.push_back(row.limit);
    return arguments;
}

class NumberActions : public ActionHarness, public testing::WithParamInterface<NumberCase> {};

TEST_P(NumberActions, ChangeTheTagAndWriteItThrough)
{
    const NumberCase row = GetParam();
    loadPage(onRelease({{row.number, argumentsOf(row)}}));
    setNumber(kTag, row.start);
    setNumber(kOther, row.operand);
    release();
    EXPECT_EQ(number(kTag), row.expected);
    EXPECT_TRUE(value(kTag).isWritten()); // even when the tag stays as it was
}

INSTANTIATE_TEST_SUITE_P(
    EveryArithmeticAndBitwiseRow, NumberActions,
    testing::Values(NumberCase{A::SetTag, 3, 9, 0, 9}, NumberCase{A::SetTagFromTag, 3, 9, 0, 9},
                    NumberCase{A::IncrementTag, 5, 2, 0, 7}, NumberCase{A::IncrementTag, INT_MAX, 1, 0, INT_MIN},
                    NumberCase{A::DecrementTag, 5, 2, 0, 3}, NumberCase{A::DecrementTag, INT_MIN, 1, 0, INT_MAX},
                    NumberCase{A::IncrementTagWithLimit, 5, 10, 12, 12},
                    NumberCase{A::IncrementTagWithLimit, 5, 2, 12, 7},
                    NumberCase{A::DecrementTagWithLimit, 5, 10, -2, -2},
                    NumberCase{A::IncrementTagByTag, 5, 4, 0, 9}, NumberCase{A::DecrementTagByTag, 5, 4, 0, 1},
                    NumberCase{A::IncrementTagByTagWithLimit, 5, 4, 8, 8},
                    NumberCase{A::DecrementTagByTagWithLimit, 5, 4, 3, 3}, NumberCase{A::MultiplyTag, 6, 7, 0, 42},
                    NumberCase{A::MultiplyTag, 0x10000, 0x10000, 0, 0}, NumberCase{A::DivideTag, 42, 5, 0, 8},
                    NumberCase{A::DivideTag, -7, 2, 0, -3}, NumberCase{A::DivideTag, 42, 0, 0, 42},
                    NumberCase{A::DivideTag, INT_MIN, -1, 0, INT_MIN},
                    NumberCase{A::MultiplyTagWithLimit, 6, 7, 40, 40},
                    NumberCase{A::DivideTagWithLimit, 42, 5, 10, 10},
                    NumberCase{A::DivideTagWithLimit, 42, 0, 50, 42}, // no division, so no limit either
                    NumberCase{A::MultiplyTagByTag, 6, 7, 0, 42}, NumberCase{A::DivideTagByTag, 42, 6, 0, 7},
                    NumberCase{A::DivideTagByTag, 42, 0, 0, 42},
                    NumberCase{A::DivideTagByTag, INT_MIN, -1, 0, INT_MIN},
                    NumberCase{A::MultiplyTagByTagWithLimit, 6, 7, 40, 40},
                    NumberCase{A::DivideTagByTagWithLimit, 42, 0, 50, 42},
                    NumberCase{A::DivideTagByTagWithLimit, 42, 2, 30, 30},
                    NumberCase{A::BitwiseTag, 0x0C, 0x0A, 0, 0x08}, NumberCase{A::BitwiseTag, 0x0C, 0x0A, 1, 0x0E},
                    NumberCase{A::BitwiseTag, 0x0C, 0x0A, 2, 0x06}, NumberCase{A::BitwiseTag, 0x0C, 0x0A, 3, ~0x0C},
                    NumberCase{A::BitwiseTag, 0x0C, 33, 4, 0x18}, // the count modulo 32
                    NumberCase{A::BitwiseTag, -1, 31, 4, INT_MIN}, NumberCase{A::BitwiseTag, -8, 1, 5, -4},
                    NumberCase{A::BitwiseTag, -8, -31, 5, -4}, NumberCase{A::BitwiseTag, 0x0C, 0x0A, 6, 1},
                    NumberCase{A::BitwiseTag, 0x0C, 0x0A, -1, 1}, NumberCase{A::BitwiseTagWithTag, 0x0C, 0x0A, 0, 0x08},
                    NumberCase{A::BitwiseTagWithTag, 0x0C, 2, 4, 0x30}));

class Actions : public ActionHarness {};

TEST_F(Actions, MissingTagsChangeNothingButAFoundFirstTagIsWritten)
{
    loadPage(onRelease({{A::IncrementTag, {missing(), 1}}, {A::IncrementTagByTag, {kTag, missing()}}}));
    setNumber(kTag, 5);
    release();
    EXPECT_EQ(number(kTag), 5);
    EXPECT_TRUE(value(kTag).isWritten());
}

TEST_F(Actions, NumberActionsLeaveStringTagsAloneAndStringActionsNumbers)
{
    const TagReference word = local(5, DCharsetTable::kUtf8, 8), count = local(6);
    loadPage(onRelease({{A::IncrementTag, {word, 1}},
                        {A::IncrementTagByTag, {count, word}},
                        {A::SetStringTag, {count, std::u16string(u"xy")}},
                        {A::CopyStringTag, {word, count}},
                        {A::ConcatenateStringTag, {count, word}}}));
    setText(word, "abc");
    setNumber(count, 7);
    release();
    EXPECT_EQ(text(word), "abc");
    EXPECT_EQ(number(count), 7);
    EXPECT_FALSE(value(word).isWritten());
    EXPECT_FALSE(value(count).isWritten());
}

TEST_F(Actions, StringActionsSetCutAndConcatenate)
{
    const TagReference name = local(5, DCharsetTable::kUtf8, 8), shortName = local(6, DCharsetTable::kUtf8, 3),
                       wide = local(7, DCharsetTable::kUtf16LE, 12), source = local(8, DCharsetTable::kUtf8, 8),
                       joined = local(9, DCharsetTable::kUtf8, 8);
    loadPage(onRelease({{A::SetStringTag, {name, std::u16string(u"Hi")}},
                        {A::ConcatenateTag, {name, std::u16string(u"!!")}},
                        {A::SetStringTag, {shortName, std::u16string(u"Hello")}},
                        {A::SetStringTag, {wide, std::u16string(u"\u00e9t\u00e9")}},
                        {A::CopyStringTag, {joined, source}},
                        {A::ConcatenateStringTag, {joined, name}}}));
    setText(name, "xxxxxxxx"); // an assignment ends the old text
    setText(source, "ab");
    release();
    EXPECT_EQ(text(name), "Hi!!");
    EXPECT_EQ(text(shortName), "Hel");
    EXPECT_EQ(text(joined), "abHi!!");
    const auto bytes = value(wide).bytes();
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8),
              (std::vector<uint8_t>{0xE9, 0, 't', 0, 0xE9, 0, 0, 0}));
    for (const TagReference& tag : {name, shortName, wide, joined})
        EXPECT_TRUE(value(tag).isWritten());
}

TEST_F(Actions, SleepIsClampedToFiveSeconds)
{
    loadPage({{TriggerNumber::TouchUp, 0, {{A::Sleep, {250}}}},
              {TriggerNumber::TouchDown, 0, {{A::Sleep, {100000}}, {A::Sleep, {-5}}}}});
    const uint32_t start = parts.platform->now;
    release();
    EXPECT_EQ(parts.platform->now - start, 250u);
    widget(0).fireEvent(uint32_t(TriggerNumber::TouchDown));
    EXPECT_EQ(parts.platform->now - start, 5250u);
}

TEST_F(Actions, LayerActionsReachTheDisplayAndMoveTheInputOrigin)
{
    loadPage(onRelease({{A::ShowLayer, {2}},
                        {A::HideLayer, {2}},
                        {A::SetLayerHorizontalPosition, {3, 7}},
                        {A::SetLayerVerticalPosition, {-4, 9}},
                        {A::TurnLedOn, {1}},
                        {A::TurnLedOff, {1}}}));
    parts.display->calls.clear();
    release();
    EXPECT_EQ(parts.display->calls, (std::vector<std::string>{"show 2 1", "show 2 0", "x 3 7", "y -4 9"}));
    EXPECT_EQ(parts.platform->originX, 0xFFFD);
    EXPECT_EQ(parts.platform->originY, 4);
}

namespace {

// An engine other than the application, recording what the actions ask of it.
class RecordingServices : public DEngineServices {
public:
    DDisplay* display() const override { return &shown; }
    void requestReload(uint32_t number) override { reloads.push_back(number); }
    DPlatform* platform() const override { return &clock; }
    DInputSink* input() const override { return nullptr; }
    uint32_t optionFlags() const override { return 0; }

    mutable LayerDisplay shown;
    mutable TestPlatform clock;
    std::vector<uint32_t> reloads;
};

} // namespace

TEST_F(Actions, ActionsReachTheServicesTheirProjectIsHanded)
{
    loadPage(onRelease({{A::ShowLayer, {4}}, {A::Sleep, {30}}, {A::ExitAndLoadProject, {9}}}));
    parts.display->calls.clear();
    const uint32_t start = parts.platform->now;

    RecordingServices other;
    project().setServices(&other);
    release();
    application.tick(); // the reload request is deferred past the frame
    EXPECT_EQ(other.shown.calls, (std::vector<std::string>{"show 4 1"}));
    EXPECT_EQ(other.clock.now, 31u);
    EXPECT_EQ(other.reloads, (std::vector<uint32_t>{9}));
    EXPECT_TRUE(parts.display->calls.empty());
    EXPECT_EQ(parts.platform->projectPath().view(), u"/panels/main.ddd");

    // A project run on its own has no display and nothing to reload it; it sleeps on its
    // own platform.
    project().setServices(nullptr);
    release();
    application.tick();
    EXPECT_EQ(parts.platform->now - start, 30u);
    EXPECT_TRUE(parts.display->calls.empty());
    EXPECT_EQ(parts.platform->projectPath().view(), u"/panels/main.ddd");
    project().setServices(&application);
}

// Compares the tag with A by every operator; then-branch sets 1, else-branch 2.
struct CompareCase {
    uint32_t op;
    int32_t reference;
    bool holds;
};

class Comparisons : public ActionHarness, public testing::WithParamInterface<CompareCase> {};

TEST_P(Comparisons, PickTheBranch)
{
    const CompareCase row = GetParam();
    loadPage(onRelease({{A::CompareTag, {kTag, row.reference, int32_t(row.op)}},
                        {A::SetTag, {kResult, 1}},
                        {A::Else, {}},
                        {A::SetTag, {kResult, 2}},
                        {A::End, {}},
                        {A::CompareTagWithTag, {kTag, kOther, int32_t(row.op)}},
                        {A::IncrementTag, {kResult, 10}},
                        {A::End, {}}}));
    setNumber(kTag, 5);
    setNumber(kOther, row.reference);
    release();
    EXPECT_EQ(number(kResult), row.holds ? 11 : 2);
    EXPECT_EQ(value(kTag).isWritten(), row.holds); // a comparison that holds writes its tag
}

INSTANTIATE_TEST_SUITE_P(EveryOperator, Comparisons,
                         testing::Values(CompareCase{0, 5, true}, CompareCase{0, 4, false}, CompareCase{1, 4, true},
                                         CompareCase{1, 5, false}, CompareCase{2, 5, true}, CompareCase{2, 6, false},
                                         CompareCase{3, 5, true}, CompareCase{3, 4, false}, CompareCase{4, 4, true},
                                         CompareCase{4, 5, false}, CompareCase{5, 6, true}, CompareCase{5, 5, false},
                                         CompareCase{7, 99, true})); // an unknown operator holds

TEST_F(Actions, ShortTagsCompareByTheirLow16Bits)
{
    const TagReference small = local(5, target::kValueType16, 2);
    loadPage(onRelease({{A::CompareTag, {small, 0xFFFF, 0}}, {A::SetTag, {kResult, 1}}, {A::End, {}}}));
    setNumber(small, -1);
    release();
    EXPECT_EQ(number(kResult), 1);
}

TEST_F(Actions, StringsCompareOverTheShorterSizeThenBySize)
{
    struct Case {
        const char* mine;
        uint32_t mineSize;
        const char* theirs;
        uint32_t theirsSize;
        uint32_t op;
        bool holds;
    };
    const Case cases[] = {
        {"abc", 3, "abd", 3, 5, true},  // a byte decides
        {"ab", 2, "abc", 3, 5, true},   // equal so far: the shorter is the smaller
        {"abc", 3, "ab", 2, 0, false},  // not equal merely over the other's size
        {"abc", 3, "ab", 2, 4, true},
        {"\xE9", 1, "z", 1, 4, true},   // bytes compare unsigned
        {"same", 4, "same", 4, 0, true},
    };
    for (const Case& row : cases) {
        const TagReference mine = local(20, DCharsetTable::kUtf8, row.mineSize),
                           theirs = local(21, DCharsetTable::kUtf8, row.theirsSize);
        loadPage(onRelease({{A::SetTag, {kResult, 0}},
                            {A::CompareTagWithTag, {mine, theirs, int32_t(row.op)}},
                            {A::SetTag, {kResult, 1}},
                            {A::End, {}}}));
        setText(mine, row.mine);
        setText(theirs, row.theirs);
        release();
        EXPECT_EQ(number(kResult), row.holds ? 1 : 0) << row.mine << " " << row.op << " " << row.theirs;
        project().unload();
        ASSERT_EQ(project().attach(nullptr, parts.display), 0);
    }
}

TEST_F(Actions, ComparisonsThatCannotBeMadeHold)
{
    const TagReference word = local(5, DCharsetTable::kUtf8, 4);
    loadPage(onRelease({{A::CompareTagWithTag, {kTag, missing(), 1}}, // a missing second tag holds
                        {A::IncrementTag, {kResult, 1}},
                        {A::End, {}},
                        {A::CompareTagWithTag, {kTag, word, 1}}, // a number against a string
                        {A::IncrementTag, {kResult, 10}},
                        {A::End, {}},
                        {A::CompareTag, {word, 3, 1}}, // a string against a number
                        {A::IncrementTag, {kResult, 100}},
                        {A::End, {}}}));
    setNumber(kTag, 5);
    release();
    EXPECT_EQ(number(kResult), 111);
    EXPECT_FALSE(value(word).isWritten());
}

// Structure: the value of kTag chooses; each branch adds its digit to kResult.
struct BranchCase {
    const char* name;
    std::vector<Step> steps;
    int32_t input;
    int32_t expected;
};

Step ifTagIs(int32_t reference, TagReference tag = kTag)
{
    return {A::CompareTag, {tag, reference, 0}};
}
Step elseIfTagIs(int32_t reference, TagReference tag = kTag)
{
    return {A::ElseCompareTag, {tag, reference, 0}};
}
Step add(int32_t amount)
{
    return {A::IncrementTag, {kResult, amount}};
}
const Step kElse{A::Else, {}}, kEnd{A::End, {}};

std::vector<BranchCase> branchCases()
{
    const std::vector<Step> ladder{ifTagIs(1), add(1),     elseIfTagIs(2), add(2),    elseIfTagIs(2),
                                   add(3),     kElse,      add(4),         kEnd,      add(100)};
    const std::vector<Step> nested{ifTagIs(0), ifTagIs(1), add(1), kElse, add(2), kEnd,
                                   add(10),    kElse,      ifTagIs(1), add(20), kEnd, add(30), kEnd, add(100)};
    return {
        {"if taken", {ifTagIs(5), add(1), kElse, add(2), kEnd}, 5, 1},
        {"else taken", {ifTagIs(5), add(1), kElse, add(2), kEnd}, 4, 2},
        {"ladder first", ladder, 1, 101},
        {"ladder second, a later equal test skipped", ladder, 2, 102},
        {"ladder else", ladder, 3, 104},
        {"nested in a taken branch", nested, 0, 112},
        {"nested in a skipped branch, its end restores the outer level", nested, 1, 150},
        {"else without if runs", {add(1), kElse, add(2), kEnd, add(4)}, 0, 7},
    };
}

class Branches : public ActionHarness, public testing::WithParamInterface<BranchCase> {};

TEST_P(Branches, RunExactlyTheChosenActions)
{
    const BranchCase& row = GetParam();
    loadPage(onRelease(row.steps));
    setNumber(kTag, row.input);
    release();
    EXPECT_EQ(number(kResult), row.expected);
}

INSTANTIATE_TEST_SUITE_P(IfElseEnd, Branches, testing::ValuesIn(branchCases()),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(Actions, AComparisonInASkippedBranchIsNotEvaluated)
{
    // A comparison that is evaluated and holds marks its tag written.
    loadPage(onRelease({ifTagIs(1), ifTagIs(0, kProbe), add(1), kEnd, kElse, add(2), kEnd,    //
                        ifTagIs(0), add(10), elseIfTagIs(0, kOther), add(20), kEnd}));
    setNumber(kTag, 0);
    setNumber(kProbe, 0);
    setNumber(kOther, 0);
    release();
    EXPECT_EQ(number(kResult), 12);
    EXPECT_FALSE(value(kProbe).isWritten());
    EXPECT_FALSE(value(kOther).isWritten()); // the else-if after a taken branch
}

TEST_F(Actions, BranchesNestedPastThirtyTwoLevelsStillChoose)
{
    // 40 nested IFs on the tag: at every depth the ELSE branch adds, and the THEN branch
    // only at the deepest; with the tag 1 each IF holds, with 0 each fails at once.
    constexpr int kDepth = 40;
    std::vector<Step> steps;
    for (int i = 0; i < kDepth; ++i)
        steps.push_back(ifTagIs(1));
    steps.push_back(add(1000));
    for (int i = 0; i < kDepth; ++i) {
        steps.push_back(kElse);
        steps.push_back(add(1));
        steps.push_back(kEnd);
    }
    loadPage(onRelease(steps));
    setNumber(kTag, 1);
    release();
    EXPECT_EQ(number(kResult), 1000);
    setNumber(kResult, 0);
    setNumber(kTag, 0);
    release();
    EXPECT_EQ(number(kResult), 1); // only the outermost ELSE runs
}

TEST_F(Actions, EveryMatchingTriggerRunsInListOrder)
{
    loadPage({{TriggerNumber::TouchUp, 0, {{A::MultiplyTag, {kResult, 10}}, add(1)}},
              {TriggerNumber::TouchDown, 0, {add(1000)}},
              {TriggerNumber::TouchUp, 0, {{A::MultiplyTag, {kResult, 10}}, add(2)}}});
    release();
    EXPECT_EQ(number(kResult), 12);
}

TEST_F(Actions, PressAndReleaseOfATouchableAreaFireTouchDownAndUp)
{
    loadPage({{TriggerNumber::TouchDown, 0, {add(1)}}, {TriggerNumber::TouchUp, 0, {add(10)}}});
    project().onPointerDown({4, 4});
    EXPECT_EQ(number(kResult), 1);
    project().onPointerUp({4, 4});
    EXPECT_EQ(number(kResult), 11);
    project().onPointerDown({40, 40}); // outside the area
    project().onPointerUp({40, 40});
    EXPECT_EQ(number(kResult), 11);
}

// Pages: 0 Global with the scripted area, 1 (start) to 4 Normal.
std::vector<uint8_t> pagesUnderABasePage(const Script& script)
{
    TargetBuilder builder(kWidth, kHeight, 5);
    builder.header().basePagePlusOne = 1;
    builder.header().startPage = 1;
    builder.page(uint32_t(target::PageType::Global), -1, [&](auto& page) { scriptedArea(page, script); });
    for (int i = 1; i < 5; ++i)
        builder.page(uint32_t(target::PageType::Normal), -1,
                     [&](auto& page) { page.backgroundColour(0xFF000000 + uint32_t(i), kWidth, kHeight); });
    return builder.finish();
}

TEST_F(Actions, PageChangesWaitUntilTheFrameIsDrawn)
{
    const auto key = [](char letter, std::vector<Step> steps) {
        return Group{TriggerNumber::KeyDown, uint32_t(letter), std::move(steps)};
    };
    load(pagesUnderABasePage({key('n', {{A::GoToNextPage, {}}, add(1)}),
                              key('p', {{A::GoToPreviousPage, {}}}),
                              key('g', {{A::GoToPage, {4}}}),
                              key('l', {{A::GoToLastVisitedPage, {}}}),
                              key('i', {{A::GoToInitialPage, {}}})}));
    DCompositeObject& area = widget(0, project().basePage());
    ASSERT_EQ(project().currentIndex(), 1);
    area.fireEvent(uint32_t(TriggerNumber::KeyDown), 'n');
    EXPECT_EQ(number(kResult), 1); // the tag at once
    EXPECT_EQ(project().currentIndex(), 1);
    application.tick(); // the page after rendering
    EXPECT_EQ(project().currentIndex(), 2);

    const struct {
        char key;
        int32_t page;
    } steps[] = {{'n', 3}, {'p', 2}, {'g', 4}, {'l', 2}, {'i', 1}, {'p', 1} /* the base page is no stop */};
    for (const auto& step : steps) {
        area.fireEvent(uint32_t(TriggerNumber::KeyDown), uint32_t(step.key));
        application.tick();
        EXPECT_EQ(project().currentIndex(), step.page) << step.key;
    }
}

TEST_F(Actions, APageChangeOutlivesTheWidgetThatAskedForIt)
{
    TargetBuilder builder(kWidth, kHeight, 2);
    builder.page(uint32_t(target::PageType::Normal), -1,
                 [&](auto& page) { scriptedArea(page, onRelease({{A::GoToPage, {1}}, {A::GoToPage, {0}}})); });
    builder.page(uint32_t(target::PageType::Normal), -1,
                 [&](auto& page) { scriptedArea(page, {{TriggerNumber::EnteringPage, 0, {add(1)}}}); });
    load(builder.finish());
    release();
    application.tick(); // both clones run in order after the first switch deleted the widget
    EXPECT_EQ(project().currentIndex(), 0);
    EXPECT_EQ(number(kResult), 1);
}

TEST_F(Actions, ExitAndLoadBuildsTheNumberedProjectPath)
{
    loadPage(onRelease({{A::ExitAndLoadProject, {26}}}));
    release();
    EXPECT_EQ(parts.platform->projectPath().view(), u"/panels/main.ddd");
    application.tick();
    EXPECT_EQ(parts.platform->projectPath().view(), u"/panels/0x0000001a.ddd");
    EXPECT_TRUE(project().isLoaded()); // the memory file holds a project under any name
}

TEST_F(Actions, DeferredClonesCarryNumberAndOperandsOnly)
{
    loadPage(onRelease({{A::GoToPage, {5}}}));
    const DAction& original = *project().currentPage()->widgets()[0]->actions()->triggers()[0]->actions()[0];
    std::unique_ptr<DAction> copy = original.clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->type(), uint32_t(A::GoToPage));
    EXPECT_EQ(copy->a(), 5);
    EXPECT_EQ(copy->owner(), nullptr);
    EXPECT_EQ(copy->project(), &project());
    EXPECT_TRUE(copy->tag().isNoTag());
    EXPECT_TRUE(copy->isDeferrable());
}

} // namespace
