#pragma once
// Class word fields that are not plain words.

#include <array>
#include <cstdint>
#include <string_view>

namespace target {

// The date/time field's separator: 4 bytes holding at most 3 narrow characters and a
// terminating zero, the rest zero. The writer cuts longer text to 3 bytes; the reader
// stops at the first zero and never reads a fourth character.
struct DateTimeSeparator {
    static constexpr uint32_t kSize = 4;
    static constexpr uint32_t kMaxCharacters = 3;
    static constexpr uint32_t kBytesOffset = 0;

    std::array<uint8_t, kSize> bytes{};

    static constexpr DateTimeSeparator fromText(std::string_view narrow)
    {
        DateTimeSeparator field;
        for (uint32_t i = 0; i < kMaxCharacters && i < narrow.size() && narrow[i] != '\0'; ++i)
            field.bytes[i] = uint8_t(narrow[i]);
        return field;
    }
    [[nodiscard]] constexpr uint32_t length() const
    {
        uint32_t n = 0;
        while (n < kMaxCharacters && bytes[n] != 0)
            ++n;
        return n;
    }
    [[nodiscard]] std::string_view text() const
    {
        return {reinterpret_cast<const char*>(bytes.data()), length()};
    }

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kBytesOffset, r.bytes);
    }
};

} // namespace target
