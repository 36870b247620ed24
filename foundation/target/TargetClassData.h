#pragma once
// A widget's class data: what its object record holds between the five common words and
// its element records. A class data record lists its parts in file order once, in its
// parts() function; writeClassData and readClassData both walk that one list.
//
//   struct StepperClassData {   // words read whole, a tag, a step word
//       StepperWords words; TagReference valueTag; uint32_t step = 1;
//       template <class Self, class P> static constexpr void parts(Self& r, P&& part)
//       { part(r.words, PartRead::Whole); part(r.valueTag); part(r.step); }
//   };
//
// Parts are records (TargetBytes.h), loose words, counted lists of words whose count an
// earlier part holds, and class data nested whole. A record on its own is class data of
// one part.

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetSpanReader.h"

namespace target {

// How the engine reads a record among class data.
enum class PartRead {
    ByWord,   // one read per word: a word cut off keeps its value (readRecordWords)
    Whole,    // one read: a record cut short is left as it was (readRecord)
};

// What the engine does with a list count the record cannot hold.
enum class ListCount {
    // Cut to the words left in the record; every entry is read, a failed one reads 0.
    CutToRecord,
    // The reading ends there when the part before the list (which holds the count) failed
    // or the record cannot hold the entries; else entries are read up to the first that
    // fails, which reads 0.
    StopsBeyondRecord,
};

// A counted list of words (image offsets, say). The count is a word of an earlier part;
// the writer writes every entry whatever the count says, so a test can make them differ.
template <class Entries>
struct CountedWords {
    const uint32_t& count;
    Entries& entries;   // std::vector<uint32_t>, const while written
    ListCount rule = ListCount::CutToRecord;
};
template <class Entries>
CountedWords(const uint32_t&, Entries&, ListCount) -> CountedWords<Entries>;

// Class data with a counted list of image offsets: the head that holds the count, the
// offsets (cut to the record), then what follows them.
template <class Head, class Tail>
struct ImageListClassData {
    Head head;
    std::vector<uint32_t> images;
    Tail tail;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        part(r.head);
        part(CountedWords{r.head.count, r.images, ListCount::CutToRecord});
        part(r.tail);
    }
};

// How a reading of class data ended: the status of the last read, and whether a list
// ended it before its last part.
struct ClassDataRead {
    int status = TargetSpanReader::kOk;
    bool stopped = false;
};

// Bytes from the reader's position to the end of the record being read: the innermost
// limit or the end of the bytes, whichever comes first.
template <class Reader>
[[nodiscard]] uint64_t bytesLeft(const Reader& reader)
{
    const uint64_t end = std::min<uint64_t>(reader.currentLimit(), reader.size());
    const uint64_t position = reader.tell();
    return end > position ? end - position : 0;
}

namespace detail {

template <class T>
struct IsCountedWords : std::false_type {};
template <class Entries>
struct IsCountedWords<CountedWords<Entries>> : std::true_type {};

struct AnyPart {
    template <class... Arguments>
    void operator()(Arguments&&...) const {}
};
template <class T>
concept ClassDataParts = requires(T& data) { T::parts(data, AnyPart{}); };

// Nested class data is walked in place; a record on its own is its only part.
template <class Data, class P>
constexpr void walkParts(Data& data, P& part)
{
    if constexpr (ClassDataParts<std::remove_const_t<Data>>) {
        std::remove_const_t<Data>::parts(data, [&](auto&& inner, PartRead rule = PartRead::ByWord) {
            if constexpr (ClassDataParts<std::remove_cvref_t<decltype(inner)>>)
                walkParts(inner, part);
            else
                part(inner, rule);
        });
    } else {
        part(data, PartRead::ByWord);
    }
}

template <class Reader, class Entries>
ClassDataRead readCountedWords(Reader& reader, const CountedWords<Entries>& list, int countStatus)
{
    const uint64_t fits = bytesLeft(reader) / kWordSize;
    uint64_t count = list.count;
    if (list.rule == ListCount::StopsBeyondRecord) {
        if (countStatus != TargetSpanReader::kOk)
            return {countStatus, true};
        if (count > fits)
            return {TargetSpanReader::kBeyondLimit, true};
    }
    count = std::min(count, fits);
    list.entries.clear();
    list.entries.reserve(count);
    int status = TargetSpanReader::kOk;
    for (uint64_t i = 0; i < count; ++i) {
        uint32_t entry = 0;
        status = readWord(reader, entry);
        list.entries.push_back(entry);
        if (status != TargetSpanReader::kOk && list.rule == ListCount::StopsBeyondRecord)
            break;
    }
    return {status, false};
}

} // namespace detail

// Any writer with write(const void*, size_t), as writeRecord takes.
template <class Writer, class Data>
void writeClassData(Writer& writer, const Data& data)
{
    auto write = [&](const auto& part, PartRead) {
        using T = std::remove_cvref_t<decltype(part)>;
        if constexpr (detail::IsCountedWords<T>::value)
            writeWords(writer, part.entries);
        else if constexpr (std::is_integral_v<T>)
            writeWord(writer, uint32_t(part));
        else
            writeRecord(writer, part);
    };
    detail::walkParts(data, write);
}

// Reads the parts in order as the engine does: records by their PartRead, a loose word
// cut off reads 0, lists by their ListCount. Any reader that readRecord takes and that
// tells its position, size and current limit (DFile, TargetSpanReader).
template <class Reader, class Data>
[[nodiscard]] ClassDataRead readClassData(Reader& reader, Data& data)
{
    ClassDataRead read;
    auto readPart = [&](auto&& part, PartRead rule) {
        using T = std::remove_cvref_t<decltype(part)>;
        if (read.stopped)
            return;
        if constexpr (detail::IsCountedWords<T>::value) {
            read = detail::readCountedWords(reader, part, read.status);
        } else if constexpr (std::is_integral_v<T>) {
            static_assert(std::is_same_v<T, uint32_t>, "loose class words are unsigned");
            part = 0;
            read.status = readWord(reader, part);
        } else {
            read.status = rule == PartRead::Whole ? readRecord(reader, part) : readRecordWords(reader, part);
        }
    };
    detail::walkParts(data, readPart);
    return read;
}

} // namespace target
