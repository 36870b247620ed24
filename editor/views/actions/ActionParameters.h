#pragma once
// The parameters text of an action line, built from the actions pane's four boxes and
// split back into them, and the prompts and option lists the boxes show per action.
// Tag actions read "<tag> <operator> <value>", the limit actions add "; unlimited" or
// "; max = <n>" / "; min = <n>".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// What a box offers to choose from.
enum class ParameterList {
    None,
    Tags,              // the tag an action works on
    ValueTags,         // tags a value may be taken from
    Pages,
    Objects,
    Keys,
    Layers,
    Obey,              // "False", "True"
    BitwiseOperators,
    CompareOperators,
};

struct ParameterPrompt {
    std::u16string_view text;
    ParameterList list = ParameterList::None;
};

struct ActionPrompts {
    // Prompt and box pairs enabled, from the first.
    int pairs = 0;
    std::array<ParameterPrompt, 4> prompts{};
};

class ActionParameters {
public:
    static constexpr int kBoxCount = 4;
    using Boxes = std::array<std::u16string, kBoxCount>;

    // The decrement operator begins with a soft hyphen, not the ASCII one.
    static constexpr std::u16string_view kDecrementOperator = u"\u00AD=";
    static constexpr std::u16string_view kLimitSeparator = u"; ";
    static constexpr std::u16string_view kUnlimited = u"unlimited";
    static constexpr std::u16string_view kTrue = u"True";
    static constexpr std::u16string_view kFalse = u"False";

    // Actions whose text is tag, operator and value (14, 16, 17, 24, 25, 32, 34, 41, 43, 45).
    static bool IsTagAction(uint32_t action);
    // Increment, decrement, multiply and divide, which carry a limit.
    static bool HasLimit(uint32_t action);
    // The operator a tag action always writes; empty where the user chooses it.
    static std::u16string_view FixedOperator(uint32_t action);

    static ActionPrompts Prompts(uint32_t action);
    // The text of the action's line from what the boxes hold.
    static std::u16string Format(uint32_t action, const Boxes& boxes);
    // A line's text back into the boxes.
    static Boxes Split(uint32_t action, std::u16string_view text);
};
