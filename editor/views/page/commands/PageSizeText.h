#pragma once
// The page size as the page size box takes it: "W" for a square or "WxH", each side a
// whole number, spaces around the parts allowed. Anything else is no page size.

#include <optional>
#include <string>
#include <string_view>

#include "editor/project/document/CProjectSettings.h"

class PageSizeText {
public:
    // The size with each side clamped as the project clamps it; none for other text.
    static std::optional<CPageSize> Parse(std::u16string_view text);
    // "WxH".
    static std::u16string Format(const CPageSize& size);
    // What the project keeps for text read as size: the text as typed ("800" stays
    // "800"), or "WxH" when a side had to be clamped.
    static std::u16string Stored(std::u16string_view text, const CPageSize& size);
};
