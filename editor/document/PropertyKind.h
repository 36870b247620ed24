#pragma once
// The kinds of property; the number is what definition text and the properties pane use.

#include <cstdint>

enum class PropertyKind : int32_t {
    Group = 0,
    String = 1,
    List = 2,
    Color = 3,
    RelFile = 4,
    Int = 5,
    Colors = 6,
    Messages = 7,
    RelFiles = 8,
    None = 9, // a kind word beginning with "f": shown, but with no editor of its own
    Bool = 10,
    MultiText = 11,
};

// Separates list choices and the items of list-valued properties, in memory and stored.
inline constexpr char16_t kListSeparator = u'\u0001';
