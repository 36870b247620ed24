#include "editor/document/CTagAllocation.h"

#include <algorithm>
#include <vector>

#include "editor/document/CTagType.h"

namespace {

struct FixedRange {
    uint64_t start;
    uint64_t end;
    const CTagRow* row;
};

std::u16string padLeft(std::u16string text, std::size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), u' ');
    return text;
}

std::u16string decimal(int64_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

uint64_t roundUp(uint64_t value, uint64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// "integer" rows place on 4 bytes, every other row on 2.
uint64_t placement(const CTagRow& row)
{
    return row.type == u"integer" ? 4 : 2;
}

} // namespace

std::u16string CTagAllocation::ListingLine(std::u16string_view name, uint32_t address, int32_t size, bool fixed)
{
    std::u16string line = padLeft(std::u16string(name), 20);
    line += u' ';
    line += FormatHex(address, 8);
    line += u' ';
    line += padLeft(decimal(int32_t(address)), 11);
    line += u' ';
    line += padLeft(decimal(size), 5);
    if (fixed)
        line += u"  fixed";
    line += u"\r\n";
    return line;
}

std::u16string CTagAllocation::Run(std::span<CTagRow> rows, uint32_t tagMemorySize)
{
    std::vector<FixedRange> ranges;
    for (const CTagRow& row : rows)
        if (row.address.kind == CTagAddress::Kind::Fixed)
            ranges.push_back({row.address.start, uint64_t(row.address.start) + uint64_t(std::max(row.size, 0)), &row});
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const FixedRange& a, const FixedRange& b) { return a.start < b.start; });

    std::u16string listing(kListingHeader);
    auto listFixed = [&](const FixedRange& range) {
        listing += ListingLine(range.row->name, uint32_t(range.start), range.row->size, true);
    };
    std::size_t next = 0;
    uint64_t cursor = 0;
    for (CTagRow& row : rows) {
        if (row.address.kind != CTagAddress::Kind::Memory)
            continue;
        row.allocated.reset();
        const uint64_t size = uint64_t(std::max(row.size, 0));
        const uint64_t alignment = placement(row);
        cursor = roundUp(cursor, alignment);
        // The cursor only moves forward, so ranges that overlap or lie behind it never
        // send it back into memory already given out.
        while (next < ranges.size() && ranges[next].start < cursor + size) {
            cursor = roundUp(std::max(cursor, ranges[next].end), alignment);
            listFixed(ranges[next++]);
        }
        if (cursor + size > tagMemorySize) {
            row.warning = kOutOfMemoryWarning;
            continue;
        }
        if (row.warning == kOutOfMemoryWarning)
            row.warning.clear();
        row.allocated = uint32_t(cursor);
        listing += ListingLine(row.name, uint32_t(cursor), row.size, false);
        cursor += size;
    }
    for (; next < ranges.size(); ++next)
        listFixed(ranges[next]);
    return listing;
}
