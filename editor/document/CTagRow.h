#pragma once
// One row of the tags grid: a tag of the project.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/document/CTagAddress.h"

struct CTagRow {
    std::u16string name;
    std::u16string type = u"integer";
    int32_t size = 4;
    CTagAddress address;
    std::u16string warning;        // validation message; empty when fine
    std::u16string originalName;   // the first name, kept through renames
    std::u16string fixName;        // the original name of the row a merge joined this one to
    // Where the last allocation placed a "memory" row; none before it, or when it did not fit.
    std::optional<uint32_t> allocated;

    // Same type, size and address: rows a merge may join.
    bool IsIdenticalTo(const CTagRow& other) const;
};

// Columns of the grid, in order.
enum class TagColumn { Name, Type, Size, Address, Warning, OriginalName, FixName };
inline constexpr int kTagColumnCount = 7;

struct CTagColumnInfo {
    std::u16string_view caption;
    int width;
    uint32_t color;   // text colour, 0xBBGGRR
    bool hidden;
};

const CTagColumnInfo& TagColumnInfo(TagColumn column);

// The warning of a row that ends past the tag memory, or that the allocation found no place for.
inline constexpr std::u16string_view kOutOfMemoryWarning = u"out of memory";

// The text colour of an address with a warning.
inline constexpr uint32_t kTagWarningColor = 255;
