#pragma once
// The action vocabulary shared by the actions panes, the compiler and the engine: the
// action table, triggers, key names and operator tokens. Action and trigger numbers and
// the argument signatures are the target format's (foundation/target/TargetActions.h);
// this table adds what only the editor shows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/target/TargetActions.h"

struct ActionRow {
    int32_t commandId;           // the editor command of the action; -1 for compiled variants
    int32_t imageIndex;          // picture in the 16 x 16 strips; -1 none
    std::string_view signature;  // argument letters
    std::u16string_view displayName;   // empty for rows reached only by the compiler
};

// Availability of a trigger in the trigger table, by what the panes attach it to.
struct TriggerRow {
    std::u16string_view name;
    int32_t availability;   // 6 with an empty name ends the table
};

const std::array<ActionRow, target::kActionRowCount>& ActionTable();
const std::array<TriggerRow, 16>& TriggerTable();

// The first row whose display name equals name without regard to case; older projects
// (formatVersion 0) also know the former names; "Else compare" and "End compare" map to
// 36 and 37 in any project. 0 when nothing matches.
uint32_t FindActionByName(std::u16string_view name, int formatVersion);

// 1..15 by the trigger names, without regard to case; 0 for any other text.
uint32_t TriggerFromName(std::u16string_view name);
// The name of 1..15; empty otherwise.
std::u16string TriggerToName(uint32_t trigger);

// "name ( detail )", or name alone when the detail is empty.
std::u16string AppendDetail(std::u16string_view name, std::u16string_view detail);
struct NameAndDetail {
    std::u16string name;
    std::u16string detail;
};
NameAndDetail SplitDetail(std::u16string_view text);

// The key word of a key trigger's detail: a key name ("Enter", "Escape", "Left", "Up",
// "Right", "Down", "Delete", "Backspace", compared with case), else the first UTF-16 unit,
// or a surrogate pair as second unit x 65536 + first unit. 0 for an empty detail.
uint32_t KeyWordFromText(std::u16string_view detail);

// The code of the first token ("&", "|", "^", "~", "<<", ">>") found anywhere, else 0.
uint32_t FindBitwiseOperator(std::u16string_view text);
std::u16string BitwiseOperatorText(uint32_t code);
// First the tokens ("==", "!=", ">=", "<=", ">", "<") with a space on each side, then
// bare; else 0.
uint32_t FindCompareOperator(std::u16string_view text);
std::u16string CompareOperatorText(uint32_t code);
