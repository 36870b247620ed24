#pragma once
// Actions and triggers in the target file. An action block ends every object record and
// the page background record:
//   group count G; G trigger groups, each: trigger number, the key word (for the key
//   triggers 12 to 14 only, always written and read for those, never for others), action
//   count A, A actions; an action: action number, argument byte count N, N bytes of
//   arguments in signature order.
// Arguments: "a" UTF-16LE text with its terminating zero unit, padded to 4 bytes;
// "w", "t", "T" a tag reference (low word, high word); every other letter one word.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetTag.h"

namespace target {

// Rows of the action table: the number written into the file and executed by the engine.
enum class ActionNumber : uint32_t {
    Unknown = 0,
    GoToNextPage = 1,
    GoToPreviousPage = 2,
    GoToPage = 3,
    GoToLastVisitedPage = 4,
    GoToInitialPage = 5,
    ExitAndLoadProject = 6,
    Sleep = 7,
    TurnLedOn = 8,
    TurnLedOff = 9,
    ShowLayer = 10,
    HideLayer = 11,
    SetLayerHorizontalPosition = 12,
    SetLayerVerticalPosition = 13,
    SetTag = 14,
    SetTagFromTag = 15,
    IncrementTag = 16,
    DecrementTag = 17,
    IncrementTagWithLimit = 18,
    DecrementTagWithLimit = 19,
    IncrementTagByTag = 20,
    DecrementTagByTag = 21,
    IncrementTagByTagWithLimit = 22,
    DecrementTagByTagWithLimit = 23,
    MultiplyTag = 24,
    DivideTag = 25,
    MultiplyTagWithLimit = 26,
    DivideTagWithLimit = 27,
    MultiplyTagByTag = 28,
    DivideTagByTag = 29,
    MultiplyTagByTagWithLimit = 30,
    DivideTagByTagWithLimit = 31,
    BitwiseTag = 32,
    BitwiseTagWithTag = 33,
    CompareTag = 34,   // IF
    CompareTagWithTag = 35,
    Else = 36,
    End = 37,
    NewAction = 38,
    Empty = 39,        // "<empty>": never compiled
    SetFocusToObject = 40,
    ElseCompareTag = 41,
    ElseCompareTagWithTag = 42,
    SetStringTag = 43,
    CopyStringTag = 44,
    ConcatenateTag = 45,
    ConcatenateStringTag = 46,
    SendKey = 47,
    ChangePageFocus = 48,
};
inline constexpr uint32_t kActionRowCount = 49;

// Argument signature of each row, one letter per argument: "p" page, "i" integer, "w" tag
// written, "t" tag read, "T" string tag, "a" text, "c" key, "o" object, "l" limit
// keyword, "v" must be empty. In a three-letter signature the last letter is the limit,
// the bit-wise operator or the comparison code.
inline constexpr std::array<std::string_view, kActionRowCount> kActionSignatures{
    "",    "",    "",    "p",   "",    "",    "i",   "i",   "i",   "i",   // 0-9
    "i",   "i",   "ii",  "ii",  "wi",  "wt",  "wi",  "wi",  "wii", "wii", // 10-19
    "wt",  "wt",  "wti", "wti", "wi",  "wi",  "wii", "wii", "wt",  "wt",  // 20-29
    "wti", "wti", "wii", "wti", "tii", "tti", "",    "",    "",    "",    // 30-39
    "o",   "tii", "tti", "Ta",  "TT",  "Ta",  "TT",  "c",   "",            // 40-48
};

constexpr std::string_view actionSignature(uint32_t action)
{
    return action < kActionRowCount ? kActionSignatures[action] : std::string_view{};
}

// Types the engine runs after the frame's rendering instead of at once.
constexpr bool isDeferredAction(uint32_t action)
{
    return action >= uint32_t(ActionNumber::GoToNextPage) && action <= uint32_t(ActionNumber::ExitAndLoadProject);
}

constexpr bool isTagLetter(char letter)
{
    return letter == 'w' || letter == 't' || letter == 'T';
}

enum class TriggerNumber : uint32_t {
    Unknown = 0,
    TouchDown = 1,
    TouchUp = 2,
    TouchHold = 3,
    Press = 4,
    Release = 5,
    HighAlarmOn = 6,
    HighAlarmOff = 7,
    LowAlarmOn = 8,
    LowAlarmOff = 9,
    EnteringPage = 10,
    LeavingPage = 11,
    KeyDown = 12,
    KeyUp = 13,
    KeyHold = 14,
    TagChange = 15,
    FocusGained = 16,   // engine only; no name in the editor
    FocusLost = 17,
};
inline constexpr uint32_t kLastNamedTrigger = 15;
inline constexpr uint32_t kLastTrigger = 17;

// The key word follows the trigger number exactly for these three, on both sides.
constexpr bool triggerHasKeyWord(uint32_t trigger)
{
    return trigger >= uint32_t(TriggerNumber::KeyDown) && trigger <= uint32_t(TriggerNumber::KeyHold);
}

// Key codes of key words and of the engine's display; any other key is its character
// (a surrogate pair as second unit x 65536 + first unit).
enum class KeyCode : uint32_t {
    Left = 1,
    Right = 2,
    LeaveEditing = 3,   // engine internal: leave text entry without a commit
    Up = 5,
    Down = 6,
    Backspace = 8,
    Delete = 12,
    Enter = 13,
    Escape = 27,
};

// Operator codes carried in the last argument of rows 32-35, 41, 42.
enum class BitwiseOperator : uint32_t { And = 0, Or = 1, Xor = 2, Not = 3, ShiftLeft = 4, ShiftRight = 5 };
enum class CompareOperator : uint32_t { Equal = 0, NotEqual = 1, GreaterOrEqual = 2, LessOrEqual = 3, Greater = 4, Less = 5 };
// "l" arguments.
enum class LimitKeyword : uint32_t { None = 0, Min = 1, Max = 2 };

struct ActionHeader {
    static constexpr uint32_t kSize = 8;
    static constexpr uint32_t kNumberOffset = 0;
    static constexpr uint32_t kArgumentBytesOffset = 4;

    uint32_t number = 0;
    uint32_t argumentBytes = 0;   // bytes of arguments after this word (patched)

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kNumberOffset, r.number);
        field(kArgumentBytesOffset, r.argumentBytes);
    }
};

struct TriggerGroupHeader {
    // A group without a key word and without actions: trigger number and action count.
    static constexpr uint32_t kSmallestSize = 2 * kWordSize;

    uint32_t trigger = 0;
    uint32_t keyWord = 0;      // meaningful when triggerHasKeyWord(trigger)
    uint32_t actionCount = 0;
};

// Reads trigger number, key word (key triggers only) and action count.
template <class Reader>
[[nodiscard]] int readTriggerGroupHeader(Reader& reader, TriggerGroupHeader& header)
{
    if (const int status = readWord(reader, header.trigger); status != 0)
        return status;
    header.keyWord = 0;
    if (triggerHasKeyWord(header.trigger))
        if (const int status = readWord(reader, header.keyWord); status != 0)
            return status;
    return readWord(reader, header.actionCount);
}

// The operands of one action, placed by its signature: tag letters fill tag then tag2,
// "a" the text, the last of three letters L, other letters A then B.
struct ActionOperands {
    TagReference tag;
    TagReference tag2;
    int32_t a = 0;
    int32_t b = 0;
    int32_t l = 0;
    // "a": the UTF-16LE bytes before the terminating zero unit (a view into the input).
    std::span<const uint8_t> text;
    // Every argument of the signature was present in full.
    bool complete = true;
};

// Places the argument bytes of an action; missing bytes leave their operands at the
// defaults and clear complete. Bytes after the signature's arguments are ignored.
ActionOperands decodeActionOperands(uint32_t action, std::span<const uint8_t> argumentBytes);

// Bytes a text argument occupies: the units, a zero unit, padded to 4.
constexpr uint32_t textArgumentBytes(std::size_t units)
{
    return uint32_t(((units + 1) * 2 + 3) & ~std::size_t(3));
}

} // namespace target
