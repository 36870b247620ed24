#pragma once
// Class data of the list boxes, then their element records:
//   list box (20): ListboxClassData; the list (kind 11).
//   dynamic list box (21): DynamicListboxClassData; the list (kind 11) and the text
//     template (kind 5), which is not drawn and not counted in the page's element count.

#include <cstdint>
#include <vector>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTag.h"

namespace target {

// The item frame pictures of states 0, 1 and 2.
struct ListboxBackgroundWords {
    static constexpr uint32_t kSize = 12;
    static constexpr uint32_t kRowOffset = 0;
    static constexpr uint32_t kSelectedOffset = 4;
    static constexpr uint32_t kFocusedSelectedOffset = 8;

    uint32_t row = 0;               // behind every row
    uint32_t selected = 0;          // behind the selected row
    uint32_t focusedSelected = 0;   // behind the selected row while the list has the focus

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kRowOffset, r.row);
        field(kSelectedOffset, r.selected);
        field(kFocusedSelectedOffset, r.focusedSelected);
    }
};
static_assert(fieldsTileRecord<ListboxBackgroundWords>());

struct ListboxRowsHead {
    static constexpr uint32_t kSize = 4;
    static constexpr uint32_t kCountOffset = 0;

    uint32_t count = 0;   // row image offsets that follow, in item order

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kCountOffset, r.count);
    }
};
static_assert(fieldsTileRecord<ListboxRowsHead>());

struct DynamicListboxWords {
    static constexpr uint32_t kSize = 20;
    static constexpr uint32_t kSeparatorOffset = 0;
    static constexpr uint32_t kItemsTagOffset = 4;
    static constexpr uint32_t kSelectionTagOffset = 12;

    // The separator as a UTF-16 unit in bits 0-15 (the first unit of "Text list
    // separator", 1 when it is empty); bits 16-31 are not read.
    uint32_t separator = 0;
    TagReference itemsTag;       // "Text list tag": the string split into rows
    TagReference selectionTag;   // "Value tag": the selected row's 0-based index

    [[nodiscard]] constexpr char16_t separatorUnit() const { return char16_t(separator & 0xFFFFu); }

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kSeparatorOffset, r.separator);
        field(kItemsTagOffset, r.itemsTag);
        field(kSelectionTagOffset, r.selectionTag);
    }
};
static_assert(fieldsTileRecord<DynamicListboxWords>());

// A row count the record cannot hold ends the load: the list is not made.
struct ListboxClassData {
    ListboxBackgroundWords backgrounds;
    ListboxRowsHead head;
    std::vector<uint32_t> rows;   // row image offsets, in item order
    TagReference selectionTag;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        part(r.backgrounds, PartRead::Whole);
        part(r.head);
        part(CountedWords{r.head.count, r.rows, ListCount::StopsBeyondRecord});
        part(r.selectionTag);
    }
};

struct DynamicListboxClassData {
    ListboxBackgroundWords backgrounds;
    DynamicListboxWords words;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        part(r.backgrounds, PartRead::Whole);
        part(r.words);
    }
};

} // namespace target
