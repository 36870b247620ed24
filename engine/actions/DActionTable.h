#pragma once
// What every action number does, as one row per number: which tags it needs and of which
// kind, its place in the IF / ELSE / END structure, and the function that performs it.
// Operand layouts stay in target::kActionSignatures.

#include <cstdint>

class DAction;
class DEngineServices;
class DProject;
class DValue;

// An action about to run: its tags are found and of the kinds its row asks for; the
// engine's display, reload and clocks come through the services.
struct DActionOperands {
    const DAction& action;
    DProject& project;
    DEngineServices& services;
    DValue* tag = nullptr;
    DValue* tag2 = nullptr;
};

struct DActionRow {
    // The tags an action reads or writes. A number action never touches a string tag and
    // a string action never a number; pairs need both tags of one kind.
    enum class Tags : uint8_t {
        None,
        Number,        // tag
        NumberPair,    // tag and tag2
        String,        // tag
        StringPair,    // tag and tag2
        NumberCompare, // tag, against A
        Compare,       // tag against tag2: two numbers or two strings
    };
    enum class Structure : uint8_t { None, If, Else, End };
    // Where the second operand of arithmetic, bit-wise and compare actions comes from.
    enum class Source : uint8_t { A, Tag2 };
    enum class Limit : uint8_t { None, Upper, Lower };

    // 0, or DAction::kFailed for a comparison that failed.
    using Perform = int (*)(const DActionRow& row, DActionOperands& operands);
    // False leaves the tag as it is (a division by zero).
    using Combine = bool (*)(int32_t value, int32_t operand, int32_t& result);

    Perform perform;
    Tags tags = Tags::None;
    Structure structure = Structure::None;
    Source source = Source::A;
    Combine combine = nullptr;
    Limit limit = Limit::None;
};

// The row of an action number; numbers without a row do nothing.
[[nodiscard]] const DActionRow& actionRow(uint32_t type);
