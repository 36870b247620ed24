#pragma once
// Places the "memory" rows in the panel memory around the fixed ranges, in row order,
// and builds the memory listing. A row that would end past the tag memory is not placed
// and gets the warning "out of memory".

#include <cstdint>
#include <span>
#include <string>

#include "editor/document/CTagRow.h"

class CTagAllocation {
public:
    static constexpr std::u16string_view kListingHeader =
        u"                NAME  ADDRESS  ADDR (DEC)  SIZE\r\n\r\n";

    // Sets each "memory" row's allocated address (or its warning) and returns the listing.
    static std::u16string Run(std::span<CTagRow> rows, uint32_t tagMemorySize);

    // "%20s %8x %11d %5d" and "  fixed" for a fixed range, then "\r\n".
    static std::u16string ListingLine(std::u16string_view name, uint32_t address, int32_t size, bool fixed);
};
