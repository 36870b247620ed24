#pragma once
// Element records: one drawing primitive of an object, inside the object's class words.
// Common part, then the words of its kind. A placeholder (kind 6) is 8 bytes: a size
// word of 0 and the kind; the engine makes no primitive for it and reads nothing more.

#include <array>
#include <cstdint>

#include "foundation/target/TargetFormat.h"

namespace target {

enum class ElementKind : uint32_t {
    InvisibleRect = 1,
    SolidRect = 2,
    UnscaledBitmap = 3,
    Text = 5,
    Placeholder = 6,
    SolidTriangle = 7,
    RotatingBitmap = 8,
    Graph = 9,
    ScrollingBitmap = 10,
    ScrollingList = 11,
};

// Element flags.
inline constexpr uint32_t kElementFlagBackground = 1u << 0;   // set only in the page background record
// Greyscale (8-bit project or greyscale-only class) on the writer's side; the engine
// hands it to the renderer as draw mode bit 0, which copies instead of blending.
inline constexpr uint32_t kElementFlagGreyscale = 1u << 1;
inline constexpr uint32_t kElementFlagNoOverlap = 1u << 2;    // meets no element written before it on the page; not read
inline constexpr uint32_t kElementFlagVisible = 1u << 3;      // always written; the engine draws only with it
inline constexpr uint32_t kElementFlagTouchable = 1u << 4;    // focusable object, or first object of a Window page
inline constexpr uint32_t kElementFlagFocusTracking = 1u << 5; // with bit 4 when targetFlags bit 3 is set

// The common part. The size word covers the whole record, kind words included.
struct ElementRecord {
    static constexpr uint32_t kSize = 32;   // kind words follow at once
    static constexpr uint32_t kRecordSizeOffset = 0;
    static constexpr uint32_t kKindOffset = 4;
    static constexpr uint32_t kLeftOffset = 8;   // a placeholder record ends here
    static constexpr uint32_t kTopOffset = 12;
    static constexpr uint32_t kRightOffset = 16;
    static constexpr uint32_t kBottomOffset = 20;
    static constexpr uint32_t kFlagsOffset = 24;
    static constexpr uint32_t kExtraOffset = 28;

    uint32_t recordSize = 0;
    uint32_t kind = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;    // inclusive: rectangle right - 1
    int32_t bottom = 0;   // inclusive: rectangle bottom - 1
    uint32_t flags = kElementFlagVisible;
    uint32_t extra = 0;   // written 0; stored by the engine, not interpreted

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kRecordSizeOffset, r.recordSize);
        field(kKindOffset, r.kind);
        field(kLeftOffset, r.left);
        field(kTopOffset, r.top);
        field(kRightOffset, r.right);
        field(kBottomOffset, r.bottom);
        field(kFlagsOffset, r.flags);
        field(kExtraOffset, r.extra);
    }
};

// The placeholder: size word 0 (not 8) and the kind; nothing after it.
struct PlaceholderRecord {
    static constexpr uint32_t kSize = ElementRecord::kLeftOffset;
    uint32_t recordSize = 0;
    uint32_t kind = uint32_t(ElementKind::Placeholder);

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(ElementRecord::kRecordSizeOffset, r.recordSize);
        field(ElementRecord::kKindOffset, r.kind);
    }
};

// The first two words of any element record, for the reader that chooses the kind.
using ElementRecordPrefix = PlaceholderRecord;

// The rest of the common part, as a primitive reads it after the prefix. Unlike the
// writer's ElementRecord, every field starts at 0, so a word cut off reads 0.
struct ElementRecordBody {
    static constexpr uint32_t kSize = ElementRecord::kSize - ElementRecordPrefix::kSize;

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;    // inclusive
    int32_t bottom = 0;   // inclusive
    uint32_t flags = 0;
    uint32_t extra = 0;

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        constexpr uint32_t base = ElementRecordPrefix::kSize;
        field(ElementRecord::kLeftOffset - base, r.left);
        field(ElementRecord::kTopOffset - base, r.top);
        field(ElementRecord::kRightOffset - base, r.right);
        field(ElementRecord::kBottomOffset - base, r.bottom);
        field(ElementRecord::kFlagsOffset - base, r.flags);
        field(ElementRecord::kExtraOffset - base, r.extra);
    }
};
static_assert(fieldsTileRecord<ElementRecordBody>());

// Text style word: bit 0 bold, 1 italic, 2 underline, 6 multi-line, 7 right-to-left,
// bits 8-9 alignment, 10-11 line alignment, 12-14 render mode. Bits 3 to 5 are written 0.
struct TextStyle {
    static constexpr uint32_t kBold = 1u << 0;
    static constexpr uint32_t kItalic = 1u << 1;
    static constexpr uint32_t kUnderline = 1u << 2;
    static constexpr uint32_t kMultiLine = 1u << 6;
    static constexpr uint32_t kRightToLeft = 1u << 7;
    static constexpr uint32_t kAlignmentShift = 8;       // 0..3
    static constexpr uint32_t kLineAlignmentShift = 10;  // 0 top, 1 centre, 2 bottom
    static constexpr uint32_t kRenderModeShift = 12;     // 1 mono, 2 anti-aliased, 3 LCD
    static constexpr uint32_t kRenderModeAntiAliased = 2;

    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool multiLine = false;
    bool rightToLeft = false;
    uint32_t alignment = 0;
    uint32_t lineAlignment = 1;   // 1 when the object has no "Line alignment"
    uint32_t renderMode = kRenderModeAntiAliased;

    [[nodiscard]] constexpr uint32_t word() const
    {
        return (bold ? kBold : 0) | (italic ? kItalic : 0) | (underline ? kUnderline : 0) | (multiLine ? kMultiLine : 0)
            | (rightToLeft ? kRightToLeft : 0) | (alignment & 3) << kAlignmentShift
            | (lineAlignment & 3) << kLineAlignmentShift | (renderMode & 7) << kRenderModeShift;
    }
    static constexpr TextStyle fromWord(uint32_t word)
    {
        TextStyle style;
        style.bold = word & kBold;
        style.italic = word & kItalic;
        style.underline = word & kUnderline;
        style.multiLine = word & kMultiLine;
        style.rightToLeft = word & kRightToLeft;
        style.alignment = (word >> kAlignmentShift) & 3;
        style.lineAlignment = (word >> kLineAlignmentShift) & 3;
        style.renderMode = (word >> kRenderModeShift) & 7;
        return style;
    }
};

// Kind 5 words after the common part: the 64-byte name field and eight words. The
// engine reads exactly these eight (not eleven) and takes their meaning from here.
struct TextElementWords {
    static constexpr uint32_t kSize = 96;
    static constexpr uint32_t kNameOffset = 0;   // 32 UTF-16 units; the writer leaves it zero
    static constexpr uint32_t kFontReferenceOffset = 64;
    static constexpr uint32_t kPixelSizeOffset = 68;
    static constexpr uint32_t kStyleOffset = 72;
    static constexpr uint32_t kWord256Offset = 76;
    static constexpr uint32_t kColorOffset = 80;
    static constexpr uint32_t kReserved84Offset = 84;
    static constexpr uint32_t kReserved88Offset = 88;
    static constexpr uint32_t kReserved92Offset = 92;
    static constexpr uint32_t kWord256 = 256;

    std::array<char16_t, 32> name{};   // a face name; empty from the compiler, so the font reference decides
    uint32_t fontReference = 0;   // absolute offset of a "font" chunk; 0 none
    uint32_t pixelSize = 0;       // "Size" points x 96 / 72, rounded
    uint32_t style = 0;           // TextStyle::word()
    uint32_t word256 = kWord256;  // always 256; carries nothing for the engine
    uint32_t color = 0;           // ARGB: alpha 255 - "Transparency", red in bits 16-23
    uint32_t reserved84 = 0;
    uint32_t reserved88 = 0;
    uint32_t reserved92 = 0;

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kNameOffset, r.name);
        field(kFontReferenceOffset, r.fontReference);
        field(kPixelSizeOffset, r.pixelSize);
        field(kStyleOffset, r.style);
        field(kWord256Offset, r.word256);
        field(kColorOffset, r.color);
        field(kReserved84Offset, r.reserved84);
        field(kReserved88Offset, r.reserved88);
        field(kReserved92Offset, r.reserved92);
    }
};

// Kind 10 and 11: the scroll mode word.
struct ScrollingWords {
    static constexpr uint32_t kSize = 4;
    static constexpr uint32_t kModeOffset = 0;
    static constexpr uint32_t kModeScrolling = 1;   // "Scrolling type" "Scrolling": clamped
    static constexpr uint32_t kModeWrapping = 2;    // any other type: the content repeats

    uint32_t mode = kModeScrolling;

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kModeOffset, r.mode);
    }
};

// "Selection type" of a list: on touch, or the row that comes to rest in the middle.
enum class ListSelection { OnTouch, Centred };

// Kind 11 adds these after the scroll mode.
struct ScrollingListWords {
    static constexpr uint32_t kSize = 16;
    static constexpr uint32_t kMaximumItemsOffset = 0;
    static constexpr uint32_t kItemHeightOffset = 4;
    static constexpr uint32_t kFirstItemOffsetOffset = 8;
    static constexpr uint32_t kSlowDownOffset = 12;

    uint32_t maximumItems = 0;
    int32_t itemHeight = 0;
    int32_t firstItemOffset = -1;   // -1 when "Selection type" is "On touch"
    uint32_t slowDown = 0;          // 1 when "On release" is "Slow down"

    // h x (d / h + 1) - d with d = (bottom - h - top) >> 1 (arithmetic), the rectangle's
    // own top and bottom; -1 for selection on touch. An item height of 0 gives 0.
    static constexpr int32_t firstItemOffsetFor(int32_t itemHeight, int32_t top, int32_t bottom, ListSelection selection)
    {
        if (selection == ListSelection::OnTouch)
            return -1;
        if (itemHeight == 0)
            return 0;
        const int32_t d = (bottom - itemHeight - top) >> 1;
        return itemHeight * (d / itemHeight + 1) - d;
    }

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kMaximumItemsOffset, r.maximumItems);
        field(kItemHeightOffset, r.itemHeight);
        field(kFirstItemOffsetOffset, r.firstItemOffset);
        field(kSlowDownOffset, r.slowDown);
    }
};

// Whole record size by kind: what the writer puts in the size word.
constexpr uint32_t elementRecordSize(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Placeholder: return 0;
    case ElementKind::Text: return ElementRecord::kSize + TextElementWords::kSize;
    case ElementKind::ScrollingBitmap: return ElementRecord::kSize + ScrollingWords::kSize;
    case ElementKind::ScrollingList: return ElementRecord::kSize + ScrollingWords::kSize + ScrollingListWords::kSize;
    default: return ElementRecord::kSize;
    }
}

// Bytes a record of this kind occupies in the file (a placeholder's size word says 0).
constexpr uint32_t elementRecordFootprint(ElementKind kind)
{
    return kind == ElementKind::Placeholder ? PlaceholderRecord::kSize : elementRecordSize(kind);
}

// A common part for a rectangle given with exclusive right and bottom edges.
constexpr ElementRecord makeElementRecord(ElementKind kind, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                          uint32_t flags)
{
    ElementRecord record;
    record.recordSize = elementRecordSize(kind);
    record.kind = uint32_t(kind);
    record.left = left;
    record.top = top;
    record.right = right - 1;
    record.bottom = bottom - 1;
    record.flags = flags;
    return record;
}

} // namespace target
