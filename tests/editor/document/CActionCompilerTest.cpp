#include <gtest/gtest.h>

#include <vector>

#include "editor/document/CActionScript.h"
#include "editor/document/CObjectTypeTable.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetSystemTags.h"
#include "tests/support/editor/ActionCompileHarness.h"

using target::ActionNumber;
using target::Controller;
using target::TagReference;
using target::TriggerNumber;
using vx::test::ActionCompileHarness;
using vx::test::Entry;
using vx::test::MakeOwner;
using vx::test::SetProperty;

namespace {

constexpr int32_t kSlider = 18;
constexpr uint32_t kPress = uint32_t(TriggerNumber::Press);
constexpr uint32_t kKeyDown = uint32_t(TriggerNumber::KeyDown);

constexpr uint32_t n(ActionNumber number)
{
    return uint32_t(number);
}

// Tags of every kind the compiler meets, with the references they resolve to.
class CompilerFixture : public testing::Test {
protected:
    void SetUp() override
    {
        h.AddTag(u"T1", u"integer", 4, u"10");
        h.AddTag(u"T2", u"short", 2, u"");
        h.AddTag(u"S1", u"UTF-8", 20, u"");
        h.AddTag(u"S2", u"UTF-16LE", 8, u"20");
        slider = MakeOwner(kSlider, u"Slider1");
        page = MakeOwner(kPageObjectType);
        h.scope.page = page.get();
        h.scope.firstObject = slider.get();
        h.scope.objects = {{u"Slider1", 2}, {u"Button1", 0}};
        h.scope.pages = {{u"Main", 0}, {u"Settings", 1}};
    }

    static std::vector<uint32_t> ref(const TagReference& tag) { return {tag.low, tag.high}; }

    const TagReference t1 = TagReference::make(Controller::Memory, 0x10, 1, 4);
    const TagReference t2 = TagReference::make(Controller::Local, 0, 0, 2);
    const TagReference s1 = TagReference::make(Controller::Local, 1, 10, 20);
    const TagReference s2 = TagReference::make(Controller::Memory, 0x20, 11, 8);
    ActionCompileHarness h;
    std::unique_ptr<CSelectable> slider;
    std::unique_ptr<CSelectable> page;
};

std::vector<uint32_t> concat(std::initializer_list<std::vector<uint32_t>> parts)
{
    std::vector<uint32_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// "a" arguments as words: UTF-16LE units, a zero unit, padded to 4 bytes.
std::vector<uint32_t> text(std::u16string_view units)
{
    std::vector<uint32_t> words((units.size() + 2) / 2, 0);
    for (std::size_t i = 0; i < units.size(); ++i)
        words[i / 2] |= uint32_t(units[i]) << (i % 2 * 16);
    return words;
}

} // namespace

TEST_F(CompilerFixture, ABlockWithoutScriptOrEntriesIsOneWordZero)
{
    CSelectable bare(kSlider);
    EXPECT_EQ(h.CompileScript(bare).words(), std::vector<uint32_t>{0});
    SetProperty(*slider, u"Behavior", u"_Action script", u"[]");
    EXPECT_EQ(h.CompileScript(*slider).words(), std::vector<uint32_t>{0});
    SetProperty(*slider, u"Behavior", u"_Action script", u"not json");
    EXPECT_EQ(h.CompileScript(*slider).words(), std::vector<uint32_t>{0});
    EXPECT_TRUE(h.output.lines.empty());
}

TEST_F(CompilerFixture, EntriesGroupByTriggerAndDetail)
{
    const uint32_t next = n(ActionNumber::GoToNextPage), previous = n(ActionNumber::GoToPreviousPage);
    struct Case {
        const char* name;
        std::vector<ActionEntry> entries;
        std::vector<uint32_t> words;
    };
    const Case cases[] = {
        {"two key details, two groups",
         {Entry(kKeyDown, next, u"", u"Enter"), Entry(kKeyDown, previous, u"", u"Escape")},
         {2, kKeyDown, 0x0D, 1, next, 0, kKeyDown, 0x1B, 1, previous, 0}},
        {"one detail, one group of two",
         {Entry(kKeyDown, next, u"", u"Enter"), Entry(kKeyDown, previous, u"", u"Enter")},
         {1, kKeyDown, 0x0D, 2, next, 0, previous, 0}},
        {"equal details apart fall into separate groups",
         {Entry(kKeyDown, next, u"", u"a"), Entry(kKeyDown, previous, u"", u"b"), Entry(kKeyDown, next, u"", u"a")},
         {3, kKeyDown, 'a', 1, next, 0, kKeyDown, 'b', 1, previous, 0, kKeyDown, 'a', 1, next, 0}},
        {"triggers in number order, entries in list order",
         {Entry(kPress, next, u""), Entry(uint32_t(TriggerNumber::TouchDown), previous, u""), Entry(kPress, previous, u"")},
         {2, 1, 1, previous, 0, kPress, 2, next, 0, previous, 0}},
        {"a key trigger without detail still carries its key word",
         {Entry(kKeyDown, next, u"")}, {1, kKeyDown, 0, 1, next, 0}},
        {"a detail on another trigger writes no key word",
         {Entry(kPress, next, u"", u"Enter")}, {1, kPress, 1, next, 0}},
        {"<empty> entries are skipped", {Entry(kPress, n(ActionNumber::Empty), u"")}, {0}},
        {"a surrogate pair is one key word",
         {Entry(kKeyDown, next, u"", u"\U0001F600")}, {1, kKeyDown, 0xDE00D83Du, 1, next, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(h.Compile(*slider, c.entries).words(), c.words) << c.name;
    EXPECT_TRUE(h.output.lines.empty());
}

TEST_F(CompilerFixture, ParametersChooseTheVariantRow)
{
    const TagReference counter = TagReference::system(target::SystemTags::kCounter);
    struct Case {
        ActionNumber action;
        std::u16string_view parameters;
        ActionNumber compiled;
        std::vector<uint32_t> arguments;
    };
    const Case cases[] = {
        {ActionNumber::SetTag, u"T1 = 5", ActionNumber::SetTag, concat({ref(t1), {5}})},
        {ActionNumber::SetTag, u"T1 = sys_counter", ActionNumber::SetTagFromTag, concat({ref(t1), ref(counter)})},
        {ActionNumber::SetTag, u"T1 = T2", ActionNumber::SetTagFromTag, concat({ref(t1), ref(t2)})},
        {ActionNumber::IncrementTag, u"T1 5 max 100", ActionNumber::IncrementTagWithLimit, concat({ref(t1), {5, 100}})},
        {ActionNumber::IncrementTag, u"T1 T2 unlimited", ActionNumber::IncrementTagByTag, concat({ref(t1), ref(t2)})},
        {ActionNumber::IncrementTag, u"T1 T2 max 9", ActionNumber::IncrementTagByTagWithLimit,
         concat({ref(t1), ref(t2), {9}})},
        {ActionNumber::IncrementTag, u"T1 3 unlimited", ActionNumber::IncrementTag, concat({ref(t1), {3}})},
        {ActionNumber::DecrementTag, u"T1 5 min 1", ActionNumber::DecrementTagWithLimit, concat({ref(t1), {5, 1}})},
        {ActionNumber::DecrementTag, u"T1 T2 min 0", ActionNumber::DecrementTagByTagWithLimit,
         concat({ref(t1), ref(t2), {0}})},
        {ActionNumber::DecrementTag, u"T1 T2 none", ActionNumber::DecrementTagByTag, concat({ref(t1), ref(t2)})},
        {ActionNumber::MultiplyTag, u"T1*2 max 50", ActionNumber::MultiplyTagWithLimit, concat({ref(t1), {2, 50}})},
        {ActionNumber::MultiplyTag, u"T1 T2 max 50", ActionNumber::MultiplyTagByTagWithLimit,
         concat({ref(t1), ref(t2), {50}})},
        {ActionNumber::MultiplyTag, u"T1 T2 x", ActionNumber::MultiplyTagByTag, concat({ref(t1), ref(t2)})},
        {ActionNumber::DivideTag, u"T1/2 min 1", ActionNumber::DivideTagWithLimit, concat({ref(t1), {2, 1}})},
        {ActionNumber::DivideTag, u"T1 T2 min 1", ActionNumber::DivideTagByTagWithLimit,
         concat({ref(t1), ref(t2), {1}})},
        {ActionNumber::DivideTag, u"T1 T2 x", ActionNumber::DivideTagByTag, concat({ref(t1), ref(t2)})},
        {ActionNumber::BitwiseTag, u"T1 & 7", ActionNumber::BitwiseTag, concat({ref(t1), {7, 0}})},
        {ActionNumber::BitwiseTag, u"T1 << T2", ActionNumber::BitwiseTagWithTag, concat({ref(t1), ref(t2), {4}})},
        {ActionNumber::CompareTag, u"T1 >= 3", ActionNumber::CompareTag, concat({ref(t1), {3, 2}})},
        {ActionNumber::CompareTag, u"T1 != T2", ActionNumber::CompareTagWithTag, concat({ref(t1), ref(t2), {1}})},
        {ActionNumber::ElseCompareTag, u"T1 < 0x10", ActionNumber::ElseCompareTag, concat({ref(t1), {16, 5}})},
        {ActionNumber::ElseCompareTag, u"T1 == T2", ActionNumber::ElseCompareTagWithTag,
         concat({ref(t1), ref(t2), {0}})},
        {ActionNumber::SetStringTag, u"S1 = hello world", ActionNumber::SetStringTag,
         concat({ref(s1), text(u"hello world")})},
        {ActionNumber::SetStringTag, u"S1", ActionNumber::SetStringTag, concat({ref(s1), text(u"")})},
        // Only the first " = " splits, so the text keeps its own.
        {ActionNumber::SetStringTag, u"S1 = a = b", ActionNumber::SetStringTag, concat({ref(s1), text(u"a = b")})},
        {ActionNumber::SetStringTag, u"S1 = S2", ActionNumber::CopyStringTag, concat({ref(s1), ref(s2)})},
        {ActionNumber::ConcatenateTag, u"S1 += x += y", ActionNumber::ConcatenateTag, concat({ref(s1), text(u"x += y")})},
        {ActionNumber::ConcatenateTag, u"S1 += S2", ActionNumber::ConcatenateStringTag, concat({ref(s1), ref(s2)})},
        {ActionNumber::GoToPage, u"Settings", ActionNumber::GoToPage, {1}},
        {ActionNumber::SetFocusToObject, u"Button1", ActionNumber::SetFocusToObject, {0}},
        {ActionNumber::SendKey, u"Escape", ActionNumber::SendKey, {0x1B}},
        {ActionNumber::Sleep, u"250", ActionNumber::Sleep, {250}},
        {ActionNumber::SetLayerHorizontalPosition, u"2 = 40", ActionNumber::SetLayerHorizontalPosition, {2, 40}},
    };
    for (const Case& c : cases) {
        const std::vector<uint32_t> words = h.Compile(*slider, {Entry(kPress, n(c.action), c.parameters)}).words();
        const uint32_t bytes = uint32_t(c.arguments.size() * 4);
        EXPECT_EQ(words, concat({{1, kPress, 1, n(c.compiled), bytes}, c.arguments}))
            << std::string(c.parameters.begin(), c.parameters.end());
    }
    EXPECT_TRUE(h.output.lines.empty());
}

TEST_F(CompilerFixture, EveryDiagnosticHasItsText)
{
    ASSERT_TRUE(h.tags.SetName(2, u"Text one"));   // S1's display form
    struct Case {
        const char* name;
        ActionEntry entry;
        const CSelectable* owner;
        TargetClock clock;
        std::u16string line;
        int status;
    };
    const CSelectable* object = slider.get();
    const CSelectable* pageOwner = page.get();
    const TargetClock rtc = TargetClock::RealTime;
    const Case cases[] = {
        {"unknown action", Entry(kPress, 0, u""), object, rtc, u"\r\nError in Slider1 object: Unknown action", 0},
        {"unknown trigger", Entry(0, n(ActionNumber::GoToNextPage), u""), object, rtc,
         u"\r\nError in Slider1 object: Unknown action trigger type", 0},
        {"missing argument", Entry(kPress, n(ActionNumber::SetTag), u"T1"), object, rtc,
         u"\r\nError in Slider1 object: Missing action argument", 3},
        {"invalid page", Entry(kPress, n(ActionNumber::GoToPage), u"Nowhere"), pageOwner, rtc,
         u"\r\nError in page object: Invalid page number (action argument Nowhere)", 4},
        {"invalid object", Entry(kPress, n(ActionNumber::SetFocusToObject), u"Ghost"), object, rtc,
         u"\r\nError in Slider1 object: Invalid object reference (action argument Ghost)", 5},
        {"invalid tag name", Entry(kPress, n(ActionNumber::SetTag), u"Unknown = 5"), object, rtc,
         u"\r\nError in Slider1 object: Invalid tag name (action argument Unknown)", 6},
        {"tag type mismatch", Entry(kPress, n(ActionNumber::SetTag), u"S1 = 5"), object, rtc,
         u"\r\nError in Slider1 object: Tag type mismatch (action argument Text one)", 7},
        {"invalid numeric format", Entry(kPress, n(ActionNumber::SetTag), u"T1 = 12ab"), object, rtc,
         u"\r\nWarning in Slider1 object: Invalid numeric format (action argument 12ab)", 0},
        {"time without a clock", Entry(kPress, n(ActionNumber::CompareTag), u"sys_time == 3"), object,
         TargetClock::None, u"\r\nWarning in Slider1 object: System time tag used on target without RTC (action argument sys_time)", 0},
        {"system tag written", Entry(kPress, n(ActionNumber::SetTag), u"sys_counter = 1"), object, rtc,
         u"\r\nWarning in Slider1 object: System tag used as writable tag (action argument sys_counter)", 0},
    };
    for (const Case& c : cases) {
        h.output.lines.clear();
        h.report.Reset();
        h.clock = c.clock;
        const int status = h.Compile(*c.owner, {c.entry}).status;
        EXPECT_EQ(status, c.status) << c.name;
        ASSERT_EQ(h.output.lines.size(), 1u) << c.name;
        const vx::test::OutputLine& line = h.output.lines.front();
        EXPECT_EQ(line.text, c.line) << c.name;
        EXPECT_EQ(line.color, CCompileReport::kMessageColor);
        EXPECT_EQ(line.page, page.get());
        EXPECT_EQ(line.object, c.owner == pageOwner ? nullptr : c.owner);
        const bool error = c.line.starts_with(u"\r\nError");
        EXPECT_EQ(h.report.Result(), error ? uint32_t(kCompileError) : uint32_t(kCompileWarning)) << c.name;
    }

    // The two codes no action row reaches, through the same report.
    h.output.lines.clear();
    EXPECT_FALSE(h.report.ReportCompileMessage(CompileDiagnostic::InvalidVoid, *slider, page.get(), u"action argument", u"x"));
    EXPECT_FALSE(h.report.ReportCompileMessage(CompileDiagnostic::InvalidString, *slider, page.get(), u"object property", u""));
    EXPECT_EQ(h.Lines(), (std::vector<std::u16string>{
                             u"\r\nWarning in Slider1 object: Invalid void (non-empty string) (action argument x)",
                             u"\r\nWarning in Slider1 object: Invalid string format"}));
}

TEST_F(CompilerFixture, WarningsWriteTheValueAndErrorsStopTheBlock)
{
    const std::vector<uint32_t> words =
        h.Compile(*slider, {Entry(kPress, n(ActionNumber::SetTag), u"T1 = 12ab"),
                            Entry(kPress, n(ActionNumber::SetTag), u"sys_gentimer00_value = 1")})
            .words();
    const TagReference timer = TagReference::system(target::SystemTags::generalTimerTag(0, target::SystemTags::TimerField::Value));
    EXPECT_EQ(words, concat({{1, kPress, 2, n(ActionNumber::SetTag), 12}, ref(t1), {12, n(ActionNumber::SetTag), 12},
                             ref(timer), {1}}));
    EXPECT_EQ(h.output.lines.size(), 1u); // a general timer may be written

    h.output.lines.clear();
    const vx::test::CompiledBlock stopped = h.Compile(
        *slider, {Entry(kPress, n(ActionNumber::GoToPage), u"Nowhere"), Entry(kPress, n(ActionNumber::GoToNextPage), u"")});
    EXPECT_EQ(stopped.status, 4);
    EXPECT_EQ(h.output.lines.size(), 1u);
    EXPECT_EQ(stopped.words().front(), 0u); // the group count stays unpatched
    EXPECT_EQ(h.report.Result() & kCompileError, uint32_t(kCompileError));
}

TEST_F(CompilerFixture, ArgumentsResolveByTheirLetter)
{
    SetProperty(*slider, u"Data", u"Value tag", u"T2");
    SetProperty(*slider, u"Navigation", u"Object left", u"Button1");
    CActionCompileContext context = h.Context();
    CActionCompiler compiler(context);
    struct Case {
        std::u16string_view text;
        const CSelectable* owner;
        char letter;
        uint32_t word;
        CompileDiagnostic code;
    };
    const CSelectable* object = slider.get();
    const CSelectable* pageOwner = page.get();
    const Case cases[] = {
        {u"0x1F", object, 'i', 31, CompileDiagnostic::None},
        {u"0X1f", object, 'i', 31, CompileDiagnostic::None},
        {u"12ab", object, 'i', 12, CompileDiagnostic::InvalidNumber},
        {u"", object, 'i', 0, CompileDiagnostic::None},
        {u" 42\t", object, 'i', 42, CompileDiagnostic::None},
        {u"0x", object, 'i', 0, CompileDiagnostic::InvalidNumber},
        {u"-1", object, 'i', 0, CompileDiagnostic::InvalidNumber},
        {u"99999999999", object, 'i', 0xFFFFFFFF, CompileDiagnostic::None},
        {u"MIN", object, 'l', 1, CompileDiagnostic::None},
        {u"max", object, 'l', 2, CompileDiagnostic::None},
        {u"other", object, 'l', 0, CompileDiagnostic::None},
        {u"Enter", object, 'c', 0x0D, CompileDiagnostic::None},
        {u" a", object, 'c', 0x20, CompileDiagnostic::None},   // keys are not trimmed
        {u"<left>", object, 'o', 0, CompileDiagnostic::None},
        {u"<right>", object, 'o', 0xFFFFFFFF, CompileDiagnostic::InvalidObject},
        {u"<left>", pageOwner, 'o', 0, CompileDiagnostic::None},   // the page's first object's neighbour
        {u"Slider1", pageOwner, 'o', 2, CompileDiagnostic::None},
        {u"Main", object, 'p', 0, CompileDiagnostic::None},
        {u"", object, 'v', 0, CompileDiagnostic::None},
        {u"x", object, 'v', 0, CompileDiagnostic::InvalidVoid},
        {u"a,b", object, 'x', 0, CompileDiagnostic::InvalidString},
        {u"ab", object, 'x', 0, CompileDiagnostic::None},
        {u"<objectTag>", object, 't', t2.low, CompileDiagnostic::None},
        {u"<objectTag>", pageOwner, 't', 0xFFFFFFFF, CompileDiagnostic::InvalidTagName},
        {u"S1", object, 'T', s1.low, CompileDiagnostic::None},
        {u"T1", object, 'T', t1.low, CompileDiagnostic::TagTypeMismatch},
        {u"sys_counter", object, 't', 0, CompileDiagnostic::None},
        {u"sys_unknown", object, 't', 0xFFFFFF00, CompileDiagnostic::None},
    };
    for (const Case& c : cases) {
        const ResolvedArgument argument = compiler.ResolveActionArgument(c.text, *c.owner, c.letter);
        EXPECT_EQ(argument.word, c.word) << std::string(c.text.begin(), c.text.end()) << " " << c.letter;
        EXPECT_EQ(argument.code, c.code) << std::string(c.text.begin(), c.text.end()) << " " << c.letter;
    }
    h.scope.firstObject = nullptr;   // a page without objects
    EXPECT_EQ(compiler.ResolveActionArgument(u"<left>", *page, 'o').code, CompileDiagnostic::InvalidObject);
}

TEST_F(CompilerFixture, AScriptPropertyCompilesThroughItsJson)
{
    std::vector<ActionEntry> entries(2);
    entries[0].trigger = kKeyDown;
    entries[0].triggerDetail = u"Up";
    entries[0].action = n(ActionNumber::IncrementTag);
    entries[0].parameters = u"<objectTag> 1 max 10";
    entries[1].trigger = kPress;
    entries[1].action = n(ActionNumber::SetStringTag);
    entries[1].parameters = u"S1 = \u00e9t\u00e9";
    SetProperty(*slider, u"Data", u"Value tag", u"T1");
    SetProperty(*slider, u"Behavior", u"_Action script", utf8ToWide(CActionScript::Store(entries)));
    const std::vector<uint32_t> expected =
        concat({{2, kPress, 1, n(ActionNumber::SetStringTag), 16}, ref(s1), text(u"\u00e9t\u00e9"),
                {kKeyDown, 5, 1, n(ActionNumber::IncrementTagWithLimit), 16}, ref(t1), {1, 10}});
    EXPECT_EQ(h.CompileScript(*slider).words(), expected);
    // The owner's own entry point writes the same block.
    const vx::test::CompiledBlock own = h.Run([&](CActionCompiler&, DRIFFFile& file) {
        CActionCompileContext context = h.Context();
        return slider->CompileActions(file, context);
    });
    EXPECT_EQ(own.words(), expected);
}
