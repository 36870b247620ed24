#include <gtest/gtest.h>

#include "editor/views/actions/ActionParameters.h"
#include "foundation/target/TargetActions.h"

namespace {

using target::ActionNumber;
using Boxes = ActionParameters::Boxes;

struct FormatCase {
    const char* what;
    ActionNumber action;
    Boxes boxes;
    std::u16string expected;
};

TEST(ActionParameters, FormatsEachActionsText)
{
    const FormatCase cases[] = {
        {"sleep left empty", ActionNumber::Sleep, {}, u"1000"},
        {"sleep", ActionNumber::Sleep, {u"250"}, u"250"},
        {"LED left empty", ActionNumber::TurnLedOn, {}, u"1"},
        {"layer left empty", ActionNumber::HideLayer, {}, u"0"},
        {"layer position left empty", ActionNumber::SetLayerHorizontalPosition, {}, u"0; 0"},
        {"layer position", ActionNumber::SetLayerVerticalPosition, {u"2", u"40"}, u"2; 40"},
        {"page", ActionNumber::GoToPage, {u"Page 2"}, u"Page 2"},
        {"send key", ActionNumber::SendKey, {u"Enter"}, u"Enter"},
        {"set tag, value left empty", ActionNumber::SetTag, {u"tag"}, u"tag = 1"},
        {"set string tag keeps an empty value", ActionNumber::SetStringTag, {u"name"}, u"name = "},
        {"concatenate", ActionNumber::ConcatenateTag, {u"name", u"x"}, u"name += x"},
        {"increment, upper limit obeyed", ActionNumber::IncrementTag, {u"tag", u"", u"True", u""},
         u"tag += 1; max = 100"},
        {"increment, unlimited", ActionNumber::IncrementTag, {u"tag", u"", u"False", u""}, u"tag += 1; unlimited"},
        {"increment, limit box left empty", ActionNumber::IncrementTag, {u"tag"}, u"tag += 1; unlimited"},
        {"decrement, lower limit", ActionNumber::DecrementTag, {u"tag", u"2", u"True", u""},
         u"tag \u00AD= 2; min = 0"},
        {"multiply with a limit", ActionNumber::MultiplyTag, {u"tag", u"3", u"True", u"500"}, u"tag *= 3; max = 500"},
        {"divide by a tag", ActionNumber::DivideTag, {u"tag", u"other", u"True", u"-5"}, u"tag /= other; min = -5"},
        {"bit-wise", ActionNumber::BitwiseTag, {u"tag", u"7", u"<<"}, u"tag << 7"},
        {"bit-wise operator left empty", ActionNumber::BitwiseTag, {u"tag", u"7"}, u"tag & 7"},
        {"compare", ActionNumber::CompareTag, {u"tag", u"5", u">="}, u"tag >= 5"},
        {"else compare operator left empty", ActionNumber::ElseCompareTag, {u"tag", u"5"}, u"tag == 5"},
        {"no parameters", ActionNumber::GoToNextPage, {u"stray"}, u""},
    };
    for (const FormatCase& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(ActionParameters::Format(uint32_t(test.action), test.boxes), test.expected);
    }
}

TEST(ActionParameters, TheDecrementOperatorIsASoftHyphen)
{
    const std::u16string op(ActionParameters::FixedOperator(uint32_t(ActionNumber::DecrementTag)));
    ASSERT_EQ(op.size(), 2u);
    EXPECT_EQ(op[0], u'\u00AD');
    EXPECT_NE(op[0], u'-');
    EXPECT_EQ(op[1], u'=');
}

struct SplitCase {
    ActionNumber action;
    std::u16string text;
    Boxes expected;
};

TEST(ActionParameters, SplitsTextBackIntoTheBoxesAndFormatsItAgain)
{
    const SplitCase cases[] = {
        {ActionNumber::IncrementTag, u"tag += 1; max = 100", {u"tag", u"1", u"True", u"100"}},
        {ActionNumber::DecrementTag, u"tag \u00AD= step; unlimited", {u"tag", u"step", u"False", u""}},
        {ActionNumber::DivideTag, u"tag /= 4; min = -2", {u"tag", u"4", u"True", u"-2"}},
        {ActionNumber::CompareTag, u"tag != 3", {u"tag", u"3", u"!=", u""}},
        {ActionNumber::BitwiseTag, u"tag >> 2", {u"tag", u"2", u">>", u""}},
        {ActionNumber::SetStringTag, u"name = two words", {u"name", u"two words", u"", u""}},
        {ActionNumber::SetLayerHorizontalPosition, u"1; 30", {u"1", u"30", u"", u""}},
        {ActionNumber::Sleep, u"20", {u"20", u"", u"", u""}},
    };
    for (const SplitCase& test : cases) {
        SCOPED_TRACE(std::string(test.text.begin(), test.text.end()));
        const Boxes boxes = ActionParameters::Split(uint32_t(test.action), test.text);
        EXPECT_EQ(boxes, test.expected);
        EXPECT_EQ(ActionParameters::Format(uint32_t(test.action), boxes), test.text);
    }
}

TEST(ActionParameters, ATextWithoutItsPartsSplitsIntoWhatItHas)
{
    EXPECT_EQ(ActionParameters::Split(uint32_t(ActionNumber::SetTag), u"tag"), (Boxes{u"tag", u"", u"", u""}));
    EXPECT_EQ(ActionParameters::Split(uint32_t(ActionNumber::IncrementTag), u""), Boxes{});
    EXPECT_EQ(ActionParameters::Split(uint32_t(ActionNumber::IncrementTag), u"tag +="), (Boxes{u"tag", u"", u"", u""}));
}

struct PromptCase {
    ActionNumber action;
    int pairs;
    std::u16string_view first;
    std::u16string_view second;
    std::u16string_view third;
    std::u16string_view fourth;
};

TEST(ActionParameters, PromptsFollowTheAction)
{
    const PromptCase cases[] = {
        {ActionNumber::SetTag, 2, u"Tag", u"Value", u"", u""},
        {ActionNumber::SetStringTag, 2, u"Tag", u"Value", u"", u""},
        {ActionNumber::ConcatenateTag, 2, u"Tag", u"Concatenated value", u"", u""},
        {ActionNumber::IncrementTag, 4, u"Tag", u"Increment step", u"Obey upper limit", u"Upper limit"},
        {ActionNumber::DecrementTag, 4, u"Tag", u"Decrement step", u"Obey lower limit", u"Lower limit"},
        {ActionNumber::MultiplyTag, 4, u"Tag", u"Multiply factor", u"Obey upper limit", u"Upper limit"},
        {ActionNumber::DivideTag, 4, u"Tag", u"Divide factor", u"Obey lower limit", u"Lower limit"},
        {ActionNumber::BitwiseTag, 3, u"Tag", u"Bit-wise with", u"Bit-wise operator", u""},
        {ActionNumber::CompareTag, 3, u"Tag", u"Compare with", u"Compare operator", u""},
        {ActionNumber::ElseCompareTag, 3, u"Tag", u"Compare with", u"Compare operator", u""},
        {ActionNumber::GoToPage, 1, u"Page", u"", u"", u""},
        {ActionNumber::ExitAndLoadProject, 1, u"Project address", u"", u"", u""},
        {ActionNumber::Sleep, 1, u"Milliseconds", u"", u"", u""},
        {ActionNumber::TurnLedOff, 1, u"LED", u"", u"", u""},
        {ActionNumber::ShowLayer, 1, u"Layer", u"", u"", u""},
        {ActionNumber::SetLayerVerticalPosition, 2, u"Layer", u"Position", u"", u""},
        {ActionNumber::SetFocusToObject, 1, u"Object", u"", u"", u""},
        {ActionNumber::SendKey, 1, u"Key", u"", u"", u""},
        {ActionNumber::Else, 0, u"", u"", u"", u""},
        {ActionNumber::ChangePageFocus, 0, u"", u"", u"", u""},
        {ActionNumber::Empty, 0, u"", u"", u"", u""},
    };
    for (const PromptCase& test : cases) {
        SCOPED_TRACE(int(test.action));
        const ActionPrompts prompts = ActionParameters::Prompts(uint32_t(test.action));
        EXPECT_EQ(prompts.pairs, test.pairs);
        EXPECT_EQ(prompts.prompts[0].text, test.first);
        EXPECT_EQ(prompts.prompts[1].text, test.second);
        EXPECT_EQ(prompts.prompts[2].text, test.third);
        EXPECT_EQ(prompts.prompts[3].text, test.fourth);
    }
}

} // namespace
