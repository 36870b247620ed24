#pragma once
// Class data of the fields: NumericFieldWords (3, 4), TextFieldWords (5, 6) or
// DateTimeFieldWords (7); then the element records: the text (kind 5) and, in the place
// of the frame picture, a kind 6 placeholder.

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetFields.h"
#include "foundation/target/TargetTag.h"

namespace target {

struct NumericFieldWords {
    static constexpr uint32_t kSize = 36;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kFormatOffset = 4;
    static constexpr uint32_t kFlagsOffset = 8;
    static constexpr uint32_t kMultiplierOffset = 12;
    static constexpr uint32_t kDivisorOffset = 16;
    static constexpr uint32_t kOffsetOffset = 20;
    static constexpr uint32_t kAccessOffset = 24;
    static constexpr uint32_t kValueTagOffset = 28;

    // Format word: decimals in bits 0-7, digits before the point in bits 8-15; the
    // writer puts kFormatMarker in bits 16-31, which the reader keeps and ignores.
    static constexpr uint32_t kFormatMarker = 0x04000000u;
    static constexpr uint32_t kDigitsShift = 8;
    static constexpr uint32_t kCountMask = 0xFFu;
    // Flags word: the whole width filled with leading zeros; decimals present (not read).
    static constexpr uint32_t kFlagLeadingZeros = 1u << 31;
    static constexpr uint32_t kFlagDecimals = 1u << 30;
    // Access word values.
    static constexpr uint32_t kAccessRead = 1;
    static constexpr uint32_t kAccessWrite = 2;
    static constexpr uint32_t kAccessReadWrite = 3;

    uint32_t frameImage = 0;   // written 0: compiled fields have no frame picture
    uint32_t format = 0;
    uint32_t flags = 0;
    int32_t multiplier = 1;    // A1
    int32_t divisor = 1;       // A2
    int32_t offset = 0;        // B
    uint32_t access = 0;       // the editor's access word (kAccessRead, kAccessWrite, kAccessReadWrite); not read
    TagReference valueTag;

    static constexpr uint32_t formatWord(uint32_t digits, uint32_t decimals)
    {
        return kFormatMarker | (digits & kCountMask) << kDigitsShift | (decimals & kCountMask);
    }
    [[nodiscard]] constexpr uint32_t decimals() const { return format & kCountMask; }
    [[nodiscard]] constexpr uint32_t digits() const { return (format >> kDigitsShift) & kCountMask; }
    [[nodiscard]] constexpr bool leadingZeros() const { return (flags & kFlagLeadingZeros) != 0; }

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kFormatOffset, r.format);
        field(kFlagsOffset, r.flags);
        field(kMultiplierOffset, r.multiplier);
        field(kDivisorOffset, r.divisor);
        field(kOffsetOffset, r.offset);
        field(kAccessOffset, r.access);
        field(kValueTagOffset, r.valueTag);
    }
};
static_assert(fieldsTileRecord<NumericFieldWords>());

struct TextFieldWords {
    static constexpr uint32_t kSize = 12;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kValueTagOffset = 4;

    uint32_t frameImage = 0;   // written 0
    TagReference valueTag;     // an editable field takes entry only with a non-zero size

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kValueTagOffset, r.valueTag);
    }
};
static_assert(fieldsTileRecord<TextFieldWords>());

struct DateTimeFieldWords {
    static constexpr uint32_t kSize = 20;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kFormatCodeOffset = 4;
    static constexpr uint32_t kSeparatorOffset = 8;
    static constexpr uint32_t kValueTagOffset = 12;

    uint32_t frameImage = 0;   // written 0
    uint32_t formatCode = 0;   // dates 0x0xxxx, times of day 0x1xxxx, counters 0x2xxxx
    DateTimeSeparator separator;
    TagReference valueTag;

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kFormatCodeOffset, r.formatCode);
        field(kSeparatorOffset, r.separator);
        field(kValueTagOffset, r.valueTag);
    }
};
static_assert(fieldsTileRecord<DateTimeFieldWords>());

} // namespace target
