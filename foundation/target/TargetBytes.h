#pragma once
// Little-endian words and the encoding of fixed-size target records. A record states
// each field's offset once, in its describe() function, which pairs every field with
// its offset constant; encodeRecord and decodeRecord both walk that one description.
//
//   struct R {
//       static constexpr uint32_t kSize = 8, kAOffset = 0, kBOffset = 4;
//       uint32_t a = 0; int32_t b = 0;
//       template <class Self, class F> static constexpr void describe(Self& r, F&& field)
//       { field(kAOffset, r.a); field(kBOffset, r.b); }
//   };
//
// Fields are 32-bit words (signed or unsigned), std::array<uint8_t, N> byte fields,
// std::array<char16_t, N> fields of UTF-16LE units, or records nested whole. A widget's
// class data, which strings records and counted lists together, is in TargetClassData.h.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
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

// A field that is itself a record (a tag reference among class words, say).
template <class T>
concept NestedRecord = requires { T::kSize; };

template <class T>
constexpr uint32_t fieldBytes()
{
    if constexpr (std::is_integral_v<T>)
        return 4;
    else if constexpr (IsByteArray<T>::value)
        return uint32_t(std::tuple_size_v<T>);
    else if constexpr (IsUnitArray<T>::value)
        return uint32_t(2 * std::tuple_size_v<T>);
    else
        return T::kSize;
}

template <class T>
void encodeField(const T& field, std::span<uint8_t> out);
template <class T>
void decodeField(std::span<const uint8_t> in, T& field);

} // namespace detail

template <class Record>
void encodeRecord(const Record& record, std::span<uint8_t, Record::kSize> out)
{
    for (auto& byte : out)
        byte = 0;
    Record::describe(record, [&](uint32_t offset, const auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        detail::encodeField(field, out.subspan(offset, detail::fieldBytes<T>()));
    });
}

template <class Record>
Record decodeRecord(std::span<const uint8_t, Record::kSize> in)
{
    Record record;
    Record::describe(record, [&](uint32_t offset, auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        detail::decodeField(in.subspan(offset, detail::fieldBytes<T>()), field);
    });
    return record;
}

namespace detail {

template <class T>
void encodeField(const T& field, std::span<uint8_t> out)
{
    if constexpr (std::is_integral_v<T>) {
        static_assert(sizeof(T) == 4, "record words are 32-bit");
        storeWord(out, 0, uint32_t(field));
    } else if constexpr (IsByteArray<T>::value) {
        for (std::size_t i = 0; i < field.size(); ++i)
            out[i] = field[i];
    } else if constexpr (IsUnitArray<T>::value) {
        for (std::size_t i = 0; i < field.size(); ++i) {
            out[2 * i] = uint8_t(field[i]);
            out[2 * i + 1] = uint8_t(field[i] >> 8);
        }
    } else {
        static_assert(NestedRecord<T>, "unsupported record field");
        encodeRecord(field, out.template first<T::kSize>());
    }
}

template <class T>
void decodeField(std::span<const uint8_t> in, T& field)
{
    if constexpr (std::is_integral_v<T>) {
        field = T(loadWord(in, 0));
    } else if constexpr (IsByteArray<T>::value) {
        for (std::size_t i = 0; i < field.size(); ++i)
            field[i] = in[i];
    } else if constexpr (IsUnitArray<T>::value) {
        for (std::size_t i = 0; i < field.size(); ++i)
            field[i] = char16_t(in[2 * i] | in[2 * i + 1] << 8);
    } else {
        static_assert(NestedRecord<T>, "unsupported record field");
        field = decodeRecord<T>(in.template first<T::kSize>());
    }
}

// A record that reads its words by a rule of its own (TagReference).
template <class T, class Reader>
concept ReadsOwnWords = requires(Reader& reader, T& record) {
    { T::readWords(reader, record) } -> std::same_as<int>;
};

} // namespace detail

// True when describe() lists the fields in file order, each starting where the one
// before it ends, from offset 0 to kSize: no gap, no overlap. Needs a constexpr describe.
template <class Record>
constexpr bool fieldsTileRecord()
{
    Record record{};
    uint32_t next = 0;
    bool tiled = true;
    Record::describe(record, [&](uint32_t offset, auto& field) {
        tiled = tiled && offset == next;
        next = offset + detail::fieldBytes<std::remove_cvref_t<decltype(field)>>();
    });
    return tiled && next == Record::kSize;
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

// A counted list among class words (image offsets, say): one word per entry.
template <class Writer>
void writeWords(Writer& writer, std::span<const uint32_t> values)
{
    for (const uint32_t value : values)
        writeWord(writer, value);
}

// The first byteCount bytes of a record (at most its size): a record cut short, as a
// damaged file holds it. Name the cut by the record's offset constants.
template <class Writer, class Record>
void writeRecordPrefix(Writer& writer, const Record& record, uint32_t byteCount)
{
    std::array<uint8_t, Record::kSize> bytes;
    encodeRecord(record, std::span<uint8_t, Record::kSize>(bytes));
    writer.write(bytes.data(), byteCount < Record::kSize ? byteCount : Record::kSize);
}

// Rewrites a record written earlier at an absolute position, one word at a time, through
// a writer that patches words in place (DRIFFFile::patchValue).
template <class Patcher, class Record>
void patchRecord(Patcher& writer, uint64_t position, const Record& record)
{
    static_assert(Record::kSize % 4 == 0, "a patched record is made of whole words");
    std::array<uint8_t, Record::kSize> bytes;
    encodeRecord(record, std::span<uint8_t, Record::kSize>(bytes));
    for (uint32_t offset = 0; offset < Record::kSize; offset += 4)
        writer.patchValue(position + offset, loadWord(bytes, offset));
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

// Reads a record field by field in file order, one read per word (a byte or unit array
// in one read), as a reader of loose words would: a field whose read fails keeps its
// value and the reading goes on. Returns the status of the last read. readRecord reads
// all or nothing instead.
template <class Reader, class Record>
[[nodiscard]] int readRecordWords(Reader& reader, Record& record)
{
    if constexpr (detail::ReadsOwnWords<Record, Reader>) {
        return Record::readWords(reader, record);
    } else {
        static_assert(fieldsTileRecord<Record>(), "describe() must list the fields in file order");
        int status = 0;
        Record::describe(record, [&](uint32_t, auto& field) {
            using T = std::remove_cvref_t<decltype(field)>;
            if constexpr (detail::NestedRecord<T>) {
                status = readRecordWords(reader, field);
            } else {
                std::array<uint8_t, detail::fieldBytes<T>()> bytes;
                status = reader.read(bytes.data(), uint32_t(bytes.size()));
                if (status == 0)
                    detail::decodeField(std::span<const uint8_t>(bytes), field);
            }
        });
        return status;
    }
}

} // namespace target
