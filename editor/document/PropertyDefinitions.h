#pragma once
// The definition text of every object type and of the page, in one table indexed by
// object type (1 to 29, 30 the page). An object's first definition list is the common
// part, its class text, then "Scaling" and "Navigation" where its class has them; its
// second list is the "Style" group of a styled class (a theme may replace it).

#include <cstdint>
#include <string_view>

// What a class answers for the parts its definitions depend on.
enum PropertyClassTrait : uint32_t {
    TRAIT_NONE = 0,
    TRAIT_SCALING = 1,        // adds the "Scaling" group
    TRAIT_FOCUSABLE = 2,      // adds the "Navigation" group
    TRAIT_INVISIBLE = 4,      // no area on the page: no "Position & Size"
    TRAIT_TICK_ALIGNMENT = 8, // the text group gets "Tick alignment"
};

struct CTypePropertyDefinitions {
    int32_t typeIndex;
    std::u16string_view classText; // the class's own records (the whole text for the page)
    std::u16string_view styleText; // the second list's "Style" group; empty when unstyled
    uint32_t traits;               // PropertyClassTrait bits
    int32_t textSize;              // the "Format" text group's default size; 0: no text group
    int32_t textAlignment;         // and its default alignment value
};

class PropertyDefinitions {
public:
    static std::u16string_view Common();
    static std::u16string_view Scaling();
    static std::u16string_view Navigation();
    static std::u16string_view Page();

    // The row of an object type or the page; none outside 1 to 30.
    static const CTypePropertyDefinitions* ForType(int32_t typeIndex);
};
