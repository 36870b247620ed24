#pragma once
// Tag reference (tag id): two words. Low word: controller index in bits 0-7, address or
// system tag number in bits 8-31. High word: value type in bits 0-7, value size in bits
// 16-31. Both words all ones mean "no tag". Action arguments and class words write the
// low word first.

#include <cstdint>

#include "foundation/target/TargetFormat.h"

namespace target {

enum class Controller : uint32_t { System = 0, Local = 1, Memory = 2 };

// Value types of the high word: the tag type table's slot (0 16-bit, 1 32-bit,
// 9 "native-encoding", 10 on character sets); above 8 is a string tag.
inline constexpr uint32_t kValueType16 = 0;
inline constexpr uint32_t kValueType32 = 1;
inline constexpr uint32_t kLastNumericValueType = 8;

struct TagReference {
    static constexpr uint32_t kSize = 8;
    static constexpr uint32_t kLowOffset = 0;
    static constexpr uint32_t kHighOffset = 4;
    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    static constexpr uint32_t kSystemHighWord = 0x00040001u;   // 32-bit, 4 bytes

    uint32_t low = kNone;
    uint32_t high = kNone;

    static constexpr TagReference none() { return {}; }
    static constexpr TagReference make(Controller controller, uint32_t address, uint32_t valueType, uint32_t size)
    {
        return {uint32_t(controller) | (address & 0xFFFFFFu) << 8, (valueType & 0xFFu) | (size & 0xFFFFu) << 16};
    }
    // A system tag: number x 256, high word 0x00040001. A negative number (a "sys" name in
    // neither table) keeps the address all ones, which no system tag has.
    static constexpr TagReference system(int32_t number) { return {uint32_t(number) << 8, kSystemHighWord}; }

    [[nodiscard]] constexpr bool isNone() const { return low == kNone; }
    [[nodiscard]] constexpr uint32_t controller() const { return low & 0xFFu; }
    [[nodiscard]] constexpr uint32_t address() const { return low >> 8; }
    [[nodiscard]] constexpr uint32_t valueType() const { return high & 0xFFu; }
    [[nodiscard]] constexpr uint32_t valueSize() const { return high >> 16; }
    [[nodiscard]] constexpr bool isString() const { return valueType() > kLastNumericValueType; }
    // The 64-bit tag id of the compiler: high word above the low word.
    [[nodiscard]] constexpr uint64_t id() const { return uint64_t(high) << 32 | low; }
    static constexpr TagReference fromId(uint64_t id) { return {uint32_t(id), uint32_t(id >> 32)}; }

    constexpr bool operator==(const TagReference&) const = default;

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kLowOffset, r.low);
        field(kHighOffset, r.high);
    }

    // The engine's reading, one word at a time (readRecordWords uses it for every tag
    // among class words): a low word that cannot be read leaves "no tag"; a high word
    // that cannot be read leaves 0, value type 0 and size 0.
    template <class Reader>
    [[nodiscard]] static int readWords(Reader& reader, TagReference& reference)
    {
        reference = {kNone, 0};
        (void)target::readWord(reader, reference.low);
        return target::readWord(reader, reference.high);
    }
};

} // namespace target
