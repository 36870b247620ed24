#pragma once
// Little-endian words and the encoding of fixed-size target records. A record states
// each field's offset once, in its describe() function, which pairs every field with
// its offset constant; encodeRecord and decodeRecord both walk that one description.
//
//   struct R {
//       static constexpr uint32_t kSize = 8, kAOffset = 0, kBOffset = 4;
//       uint32_t a = 0; int32_t b = 0;
//       template <class Self, class F> static void describe(Self& r, F&& field)
//       { field(kAOffset, r.a); field(kBOffset, r.b); }
//   };
//
// Fields are 32-bit words (signed or unsigned), std::array<uint8_t, N> byte fields or
// std::array<char16_t, N> fields of UTF-16LE units.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

namespace target {

// Four ASCII characters as the word whose bytes in the file read them in order.
constexpr uint32_t fourCC(std::string_view text)
{
    return uint32_t(uint8_t(text[0])) | uint32_t(uint8_t(text[1])) << 8 | uint32_t(uint8_t(text[2])) << 16
        | uint32_t(uint8_t(text[3])) << 24;
}

inline uint32_t loadWord(std::span<const uint8_t> bytes, std::size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16
        | uint32_t(bytes[offset + 3]) << 24;
}

inline void storeWord(std::span<uint8_t> bytes, std::size_t offset, uint32_t value)
{
    bytes[offset] = uint8_t(value);
    bytes[offset + 1] = uint8_t(value >> 8);
    bytes[offset + 2] = uint8_t(value >> 16);
    bytes[offset + 3] = uint8_t(value >> 24);
}

namespace detail {

template <class T>
struct IsByteArray : std::false_type {};
template <std::size_t N>
struct IsByteArray<std::array<uint8_t, N>> : std::true_type {};
template <class T>
struct IsUnitArray : std::false_type {};
template <std::size_t N>
struct IsUnitArray<std::array<char16_t, N>> : std::true_type {};

} // namespace detail

template <class Record>
void encodeRecord(const Record& record, std::span<uint8_t, Record::kSize> out)
{
    for (auto& byte : out)
        byte = 0;
    Record::describe(record, [&](uint32_t offset, const auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_integral_v<T>) {
            static_assert(sizeof(T) == 4, "record words are 32-bit");
            storeWord(out, offset, uint32_t(field));
        } else if constexpr (detail::IsByteArray<T>::value) {
            for (std::size_t i = 0; i < field.size(); ++i)
                out[offset + i] = field[i];
        } else {
            static_assert(detail::IsUnitArray<T>::value, "unsupported record field");
            for (std::size_t i = 0; i < field.size(); ++i) {
                out[offset + 2 * i] = uint8_t(field[i]);
                out[offset + 2 * i + 1] = uint8_t(field[i] >> 8);
            }
        }
    });
}

template <class Record>
Record decodeRecord(std::span<const uint8_t, Record::kSize> in)
{
    Record record;
    Record::describe(record, [&](uint32_t offset, auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_integral_v<T>) {
            field = T(loadWord(in, offset));
        } else if constexpr (detail::IsByteArray<T>::value) {
            for (std::size_t i = 0; i < field.size(); ++i)
                field[i] = in[offset + i];
        } else {
            for (std::size_t i = 0; i < field.size(); ++i)
                field[i] = char16_t(in[offset + 2 * i] | in[offset + 2 * i + 1] << 8);
        }
    });
    return record;
}

// Any writer with write(const void*, size_t): DRIFFFile, or a test's byte buffer.
template <class Writer, class Record>
void writeRecord(Writer& writer, const Record& record)
{
    std::array<uint8_t, Record::kSize> bytes;
    encodeRecord(record, std::span<uint8_t, Record::kSize>(bytes));
    writer.write(bytes.data(), bytes.size());
}

// Any reader with int read(void*, uint32_t) returning 0 on success: the engine's DFile
// or TargetSpanReader. On failure the record is left unchanged and the status returned.
template <class Reader, class Record>
[[nodiscard]] int readRecord(Reader& reader, Record& record)
{
    std::array<uint8_t, Record::kSize> bytes;
    if (const int status = reader.read(bytes.data(), uint32_t(bytes.size())); status != 0)
        return status;
    record = decodeRecord<Record>(std::span<const uint8_t, Record::kSize>(bytes));
    return 0;
}

template <class Writer>
void writeWord(Writer& writer, uint32_t value)
{
    std::array<uint8_t, 4> bytes;
    storeWord(bytes, 0, value);
    writer.write(bytes.data(), bytes.size());
}

template <class Reader>
[[nodiscard]] int readWord(Reader& reader, uint32_t& value)
{
    std::array<uint8_t, 4> bytes;
    if (const int status = reader.read(bytes.data(), 4); status != 0)
        return status;
    value = loadWord(bytes, 0);
    return 0;
}

} // namespace target
