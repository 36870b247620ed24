#pragma once
// The "page" chunk: the page header, then the object records from the last object of the
// editor's list to the first, then the page background record. An object record is its
// header, the class words (with element records among them) and the action block.

#include <cstdint>

#include "foundation/target/TargetFormat.h"

namespace target {

enum class PageType : uint32_t {
    Normal = 1,
    Initial = 2,
    Global = 3,        // the base page, shown under every other page
    ScreenSaver = 4,
    Dialog = 5,        // modal pop-up
    Window = 6,        // non-modal pop-up
    NormalInitial = 7, // 7 to 9 behave as Normal in the engine
    NormalGlobal = 8,
    NormalScreenSaver = 9,
};

constexpr bool isPopUpPage(uint32_t type)
{
    return type == uint32_t(PageType::Dialog) || type == uint32_t(PageType::Window);
}

struct PageHeader {
    static constexpr uint32_t kSize = 28;   // the first object record follows at once
    static constexpr uint32_t kPageTypeOffset = 0;
    static constexpr uint32_t kObjectCountOffset = 4;
    static constexpr uint32_t kElementCountOffset = 8;
    static constexpr uint32_t kInitialFocusOffset = 12;
    static constexpr uint32_t kReserved16Offset = 16;
    static constexpr uint32_t kReserved20Offset = 20;
    static constexpr uint32_t kFirstRecordOffsetOffset = 24;

    uint32_t pageType = uint32_t(PageType::Normal);  // 0 read by the engine keeps the page's previous type
    uint32_t objectCount = 0;    // object records: page objects + 1 (the background record)
    uint32_t elementCount = 0;   // element records of kinds other than 6 in the page chunk (patched)
    int32_t initialFocus = -1;   // target index; -1 none
    uint32_t reserved16 = 0;
    uint32_t reserved20 = 0;
    uint32_t firstRecordOffset = 0;   // absolute offset of the first object record (patched)

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kPageTypeOffset, r.pageType);
        field(kObjectCountOffset, r.objectCount);
        field(kElementCountOffset, r.elementCount);
        field(kInitialFocusOffset, r.initialFocus);
        field(kReserved16Offset, r.reserved16);
        field(kReserved20Offset, r.reserved20);
        field(kFirstRecordOffsetOffset, r.firstRecordOffset);
    }
};

// Target index of the object at list position i of a page with n objects; the
// background record has index n. Focus, navigation words and action 40 use it.
constexpr int32_t targetIndexOf(int32_t listPosition, int32_t objectCount)
{
    return objectCount - 1 - listPosition;
}

// Object record header. The page reader takes the prefix (size, action block offset,
// type word); the widget base reads the remaining five words.
struct ObjectRecordHeader {
    static constexpr uint32_t kSize = 32;   // class words follow at once
    static constexpr uint32_t kRecordSizeOffset = 0;
    static constexpr uint32_t kActionBlockOffsetOffset = 4;
    static constexpr uint32_t kTypeOffset = 8;
    static constexpr uint32_t kReservedOffset = 12;
    static constexpr uint32_t kLeftOffset = 16;
    static constexpr uint32_t kUpOffset = 20;
    static constexpr uint32_t kRightOffset = 24;
    static constexpr uint32_t kDownOffset = 28;
    static constexpr uint32_t kPrefixSize = 12;   // what the page reader reads before the widget's load

    uint32_t recordSize = 0;          // whole record, action block included (patched)
    uint32_t actionBlockOffset = 0;   // from the record start (patched)
    uint32_t type = 0;                // widget type id (WidgetType)
    uint32_t reserved = 0;
    int32_t left = -1;   // navigation: target index named by "Object left"; -1 none
    int32_t up = -1;
    int32_t right = -1;
    int32_t down = -1;

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kRecordSizeOffset, r.recordSize);
        field(kActionBlockOffsetOffset, r.actionBlockOffset);
        field(kTypeOffset, r.type);
        field(kReservedOffset, r.reserved);
        field(kLeftOffset, r.left);
        field(kUpOffset, r.up);
        field(kRightOffset, r.right);
        field(kDownOffset, r.down);
    }
};

// The first three words of an object record, for a reader that hands the rest to a widget.
struct ObjectRecordPrefix {
    static constexpr uint32_t kSize = ObjectRecordHeader::kPrefixSize;
    uint32_t recordSize = 0;
    uint32_t actionBlockOffset = 0;
    uint32_t type = 0;

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(ObjectRecordHeader::kRecordSizeOffset, r.recordSize);
        field(ObjectRecordHeader::kActionBlockOffsetOffset, r.actionBlockOffset);
        field(ObjectRecordHeader::kTypeOffset, r.type);
    }
};

// The five words the widget base reads after the prefix.
struct ObjectRecordCommon {
    static constexpr uint32_t kSize = ObjectRecordHeader::kSize - ObjectRecordHeader::kPrefixSize;
    uint32_t reserved = 0;
    int32_t left = -1;
    int32_t up = -1;
    int32_t right = -1;
    int32_t down = -1;

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        constexpr uint32_t base = ObjectRecordHeader::kPrefixSize;
        field(ObjectRecordHeader::kReservedOffset - base, r.reserved);
        field(ObjectRecordHeader::kLeftOffset - base, r.left);
        field(ObjectRecordHeader::kUpOffset - base, r.up);
        field(ObjectRecordHeader::kRightOffset - base, r.right);
        field(ObjectRecordHeader::kDownOffset - base, r.down);
    }
};

static_assert(fieldsTileRecord<ObjectRecordCommon>());

// Widget type ids: the object's row of the object type table for rows 1 to 24, with the
// exceptions the classes choose (a uniform colour bar 13, a text or message field with
// more than one picture 8); 26 the page background rectangle, 1 a background image.
enum class WidgetType : uint32_t {
    StaticImage = 1,
    StaticText = 2,
    NumericField = 3,
    EditableNumericField = 4,
    TextField = 5,
    EditableTextField = 6,
    DateTimeField = 7,
    MessageField = 8,
    DynamicImage = 9,
    IndicatorLight = 10,
    IndicatorButton = 11,
    ImageBar = 12,
    ColorBar = 13,
    Meter = 14,
    Trend = 15,
    Ticker = 16,
    Button = 17,
    Slider = 18,
    Knob = 19,
    Listbox = 20,
    DynamicListbox = 21,
    Window = 22,         // no engine widget: the engine skips the record by its size
    Trigger = 23,
    Timer = 24,
    Semaphore = 25,      // no engine widget
    Rectangle = 26,      // the page background without an image
};

// The page background record: header with type StaticImage (an image loaded) or
// Rectangle, navigation -1; one class word; one element record; the page's action block.
struct PageBackground {
    // Class word for pop-up pages (no background); otherwise the image chunk's offset or
    // the ARGB colour word (colorWordFromStored, premultiplied with kTargetFlagPremultiply).
    static constexpr uint32_t kPopUpClassWord = 0;
    // Element flags: opaque colour, a Global page, or no Global page in the project.
    static constexpr uint32_t kFlagsOpaque = 11;
    static constexpr uint32_t kFlagsBlended = 9;
};

// The class word of a Rectangle record (a page background without an image); its one
// element record (kind 2) follows. With an image the record is a StaticImage one
// (TargetImageWords.h).
struct RectangleWords {
    static constexpr uint32_t kSize = 4;
    static constexpr uint32_t kColorOffset = 0;

    uint32_t color = 0;   // ARGB

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kColorOffset, r.color);
    }
};
static_assert(fieldsTileRecord<RectangleWords>());

} // namespace target
