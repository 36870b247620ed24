#include "editor/views/actions/ActionParameters.h"

#include <algorithm>

#include "editor/document/ActionTable.h"

namespace {

using target::ActionNumber;

enum class Limit { None, Upper, Lower };

// A tag action: its operator (empty where box 3 chooses it), how many prompt pairs it
// shows, the prompt of its value and its limit.
struct TagAction {
    ActionNumber action;
    std::u16string_view op;
    int pairs;
    std::u16string_view valuePrompt;
    Limit limit;
    ParameterList choice;   // box 3 when it chooses the operator
};

constexpr std::array<TagAction, 10> kTagActions{{
    {ActionNumber::SetTag, u"=", 2, u"Value", Limit::None, ParameterList::None},
    {ActionNumber::SetStringTag, u"=", 2, u"Value", Limit::None, ParameterList::None},
    {ActionNumber::ConcatenateTag, u"+=", 2, u"Concatenated value", Limit::None, ParameterList::None},
    {ActionNumber::IncrementTag, u"+=", 4, u"Increment step", Limit::Upper, ParameterList::None},
    {ActionNumber::DecrementTag, ActionParameters::kDecrementOperator, 4, u"Decrement step", Limit::Lower,
     ParameterList::None},
    {ActionNumber::MultiplyTag, u"*=", 4, u"Multiply factor", Limit::Upper, ParameterList::None},
    {ActionNumber::DivideTag, u"/=", 4, u"Divide factor", Limit::Lower, ParameterList::None},
    {ActionNumber::BitwiseTag, u"", 3, u"Bit-wise with", Limit::None, ParameterList::BitwiseOperators},
    {ActionNumber::CompareTag, u"", 3, u"Compare with", Limit::None, ParameterList::CompareOperators},
    {ActionNumber::ElseCompareTag, u"", 3, u"Compare with", Limit::None, ParameterList::CompareOperators},
}};

// The other actions with parameters: the first box's prompt, its list and the text an
// empty box stands for; 12 and 13 add the position.
struct OtherAction {
    ActionNumber action;
    std::u16string_view prompt;
    ParameterList list;
    std::u16string_view whenEmpty;
};

constexpr std::array<OtherAction, 11> kOtherActions{{
    {ActionNumber::GoToPage, u"Page", ParameterList::Pages, u""},
    {ActionNumber::ExitAndLoadProject, u"Project address", ParameterList::None, u""},
    {ActionNumber::Sleep, u"Milliseconds", ParameterList::None, u"1000"},
    {ActionNumber::TurnLedOn, u"LED", ParameterList::None, u"1"},
    {ActionNumber::TurnLedOff, u"LED", ParameterList::None, u"1"},
    {ActionNumber::ShowLayer, u"Layer", ParameterList::Layers, u"0"},
    {ActionNumber::HideLayer, u"Layer", ParameterList::Layers, u"0"},
    {ActionNumber::SetLayerHorizontalPosition, u"Layer", ParameterList::Layers, u"0"},
    {ActionNumber::SetLayerVerticalPosition, u"Layer", ParameterList::Layers, u"0"},
    {ActionNumber::SetFocusToObject, u"Object", ParameterList::Objects, u""},
    {ActionNumber::SendKey, u"Key", ParameterList::Keys, u""},
}};

constexpr std::u16string_view kPositionPrompt = u"Position";
constexpr std::u16string_view kPositionWhenEmpty = u"0";
constexpr std::u16string_view kDefaultValue = u"1";
constexpr std::u16string_view kMax = u"max = ";
constexpr std::u16string_view kMin = u"min = ";
constexpr std::u16string_view kDefaultMax = u"100";
constexpr std::u16string_view kDefaultMin = u"0";

const TagAction* findTagAction(uint32_t action)
{
    const auto found = std::find_if(kTagActions.begin(), kTagActions.end(),
                                    [action](const TagAction& row) { return uint32_t(row.action) == action; });
    return found == kTagActions.end() ? nullptr : &*found;
}

const OtherAction* findOtherAction(uint32_t action)
{
    const auto found = std::find_if(kOtherActions.begin(), kOtherActions.end(),
                                    [action](const OtherAction& row) { return uint32_t(row.action) == action; });
    return found == kOtherActions.end() ? nullptr : &*found;
}

bool hasPosition(uint32_t action)
{
    return action == uint32_t(ActionNumber::SetLayerHorizontalPosition)
        || action == uint32_t(ActionNumber::SetLayerVerticalPosition);
}

bool worksOnStrings(uint32_t action)
{
    return target::actionSignature(action).starts_with('T');
}

std::u16string orDefault(std::u16string_view text, std::u16string_view whenEmpty)
{
    return std::u16string(text.empty() ? whenEmpty : text);
}

// The first token a choice list offers, for a box left empty.
std::u16string firstChoice(ParameterList list)
{
    return list == ParameterList::BitwiseOperators ? BitwiseOperatorText(0) : CompareOperatorText(0);
}

} // namespace

bool ActionParameters::IsTagAction(uint32_t action)
{
    return findTagAction(action) != nullptr;
}

bool ActionParameters::HasLimit(uint32_t action)
{
    const TagAction* row = findTagAction(action);
    return row && row->limit != Limit::None;
}

std::u16string_view ActionParameters::FixedOperator(uint32_t action)
{
    const TagAction* row = findTagAction(action);
    return row ? row->op : std::u16string_view();
}

ActionPrompts ActionParameters::Prompts(uint32_t action)
{
    ActionPrompts prompts;
    if (const TagAction* row = findTagAction(action)) {
        prompts.pairs = row->pairs;
        prompts.prompts[0] = {u"Tag", ParameterList::Tags};
        prompts.prompts[1] = {row->valuePrompt, ParameterList::ValueTags};
        if (row->limit == Limit::Upper) {
            prompts.prompts[2] = {u"Obey upper limit", ParameterList::Obey};
            prompts.prompts[3] = {u"Upper limit", ParameterList::None};
        } else if (row->limit == Limit::Lower) {
            prompts.prompts[2] = {u"Obey lower limit", ParameterList::Obey};
            prompts.prompts[3] = {u"Lower limit", ParameterList::None};
        } else if (row->choice == ParameterList::BitwiseOperators) {
            prompts.prompts[2] = {u"Bit-wise operator", row->choice};
        } else if (row->choice == ParameterList::CompareOperators) {
            prompts.prompts[2] = {u"Compare operator", row->choice};
        }
        return prompts;
    }
    if (const OtherAction* row = findOtherAction(action)) {
        prompts.pairs = hasPosition(action) ? 2 : 1;
        prompts.prompts[0] = {row->prompt, row->list};
        if (hasPosition(action))
            prompts.prompts[1] = {kPositionPrompt, ParameterList::None};
    }
    return prompts;
}

std::u16string ActionParameters::Format(uint32_t action, const Boxes& boxes)
{
    if (const TagAction* row = findTagAction(action)) {
        const std::u16string op(row->choice == ParameterList::None ? std::u16string(row->op)
                                                                   : orDefault(boxes[2], firstChoice(row->choice)));
        const std::u16string value = worksOnStrings(action) ? boxes[1] : orDefault(boxes[1], kDefaultValue);
        std::u16string text = boxes[0] + u' ' + op + u' ' + value;
        if (row->limit != Limit::None) {
            text += kLimitSeparator;
            if (boxes[2] != kTrue)
                text += kUnlimited;
            else if (row->limit == Limit::Upper)
                text += std::u16string(kMax) + orDefault(boxes[3], kDefaultMax);
            else
                text += std::u16string(kMin) + orDefault(boxes[3], kDefaultMin);
        }
        return text;
    }
    if (const OtherAction* row = findOtherAction(action)) {
        if (hasPosition(action))
            return orDefault(boxes[0], row->whenEmpty) + u"; " + orDefault(boxes[1], kPositionWhenEmpty);
        return orDefault(boxes[0], row->whenEmpty);
    }
    return {};
}

ActionParameters::Boxes ActionParameters::Split(uint32_t action, std::u16string_view text)
{
    Boxes boxes;
    if (const TagAction* row = findTagAction(action)) {
        const std::size_t tagEnd = std::min(text.find(u' '), text.size());
        boxes[0] = text.substr(0, tagEnd);
        if (tagEnd >= text.size())
            return boxes;
        const std::u16string_view rest = text.substr(tagEnd + 1);
        const std::size_t opEnd = std::min(rest.find(u' '), rest.size());
        if (row->choice != ParameterList::None)
            boxes[2] = rest.substr(0, opEnd);
        if (opEnd >= rest.size())
            return boxes;
        std::u16string_view value = rest.substr(opEnd + 1);
        if (row->limit != Limit::None) {
            const std::size_t separator = value.find(kLimitSeparator);
            if (separator != std::u16string_view::npos) {
                const std::u16string_view limit = value.substr(separator + kLimitSeparator.size());
                value = value.substr(0, separator);
                const bool bounded = limit.starts_with(kMax) || limit.starts_with(kMin);
                boxes[2] = bounded ? kTrue : kFalse;
                if (bounded)
                    boxes[3] = limit.substr(kMax.size());
            }
        }
        boxes[1] = value;
        return boxes;
    }
    if (findOtherAction(action)) {
        const std::size_t separator = hasPosition(action) ? text.find(u"; ") : std::u16string_view::npos;
        if (separator == std::u16string_view::npos) {
            boxes[0] = text;
        } else {
            boxes[0] = text.substr(0, separator);
            boxes[1] = text.substr(separator + 2);
        }
    }
    return boxes;
}
