#pragma once
// Reading an object's property values the way every class's compile and render read
// them: integers in 64 bits (so products of two values cannot overflow), the "empty"
// rule each caller states, counts bounded before anything is allocated, list choices by
// their letter, hexadecimal colours 0xBBGGRR, and U+0001 lists in their two modes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CSelectable;

// How a list value is cut into items.
enum class ListTokens {
    // The non-empty pieces between separators; a last piece without a separator counts.
    Split,
    // Every piece a separator ends, empty ones too; text after the last separator is lost.
    EndedBy,
};

class CObjectProperty {
public:
    // The largest count any class takes from a document (messages, colour states, list
    // rows, images): a bigger value is cut to it before anything is allocated.
    static constexpr int64_t kMaxCount = 1024;

    // The integer value of a property of the first container; none when it is missing or
    // empty. Text that reads as no number gives 0, out of range clamps to 32 bits.
    static std::optional<int64_t> Int(const CSelectable& owner, std::u16string_view category,
                                      std::u16string_view caption);
    // The same with the value an empty or missing property counts as.
    static int64_t Int(const CSelectable& owner, std::u16string_view category, std::u16string_view caption,
                       int64_t emptyValue);
    // A count: the value (emptyValue when empty), then minimum .. kMaxCount.
    static int64_t Count(const CSelectable& owner, std::u16string_view category, std::u16string_view caption,
                         int64_t emptyValue, int64_t minimum);

    // The list choice's letter at position, lower case; 0 when the choice is shorter.
    static char16_t ChoiceLetter(const CSelectable& owner, std::u16string_view category,
                                 std::u16string_view caption, std::size_t position = 0);
    static char16_t ChoiceLetter(std::u16string_view choice, std::size_t position = 0);

    // One to eight hexadecimal digits as a colour 0xBBGGRR (the top byte dropped); none
    // for anything else, empty text included.
    static std::optional<uint32_t> HexColor(std::u16string_view text);

    // At most maximum items of a U+0001 list.
    static std::vector<std::u16string> Tokens(std::u16string_view text, ListTokens mode,
                                              std::size_t maximum = std::size_t(kMaxCount));
};
