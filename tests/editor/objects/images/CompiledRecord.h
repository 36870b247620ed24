#pragma once
// One object collected and compiled through the object harness: its record's header and
// class words as words, with the resource entries it collected and how many of them its
// compile took back; and the words the tests spell records with.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "foundation/target/TargetElement.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace vx::test {

struct CompiledRecord {
    std::vector<uint32_t> words;
    std::vector<uint32_t> entries;
    std::size_t taken = 0;
};

inline CompiledRecord CompileRecord(ObjectCompileHarness& harness, CEditorObject& object)
{
    CompiledRecord result;
    result.words = harness.CompileObject(object);
    const auto entries = harness.resources.Entries();
    result.entries.assign(entries.begin(), entries.end());
    result.taken = harness.resources.Cursor();
    return result;
}

inline std::vector<uint32_t> Joined(std::initializer_list<std::vector<uint32_t>> parts)
{
    std::vector<uint32_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A record header of that type with no navigation; the page patches the two size words.
inline std::vector<uint32_t> RecordHeaderWords(uint32_t type)
{
    const uint32_t none = uint32_t(-1);
    return {0, 0, type, 0, none, none, none, none};
}

// An element record's common words over an exclusive rectangle.
inline std::vector<uint32_t> ElementWords(target::ElementKind kind, int32_t left, int32_t top, int32_t right,
                                          int32_t bottom, uint32_t flags)
{
    return {target::elementRecordSize(kind), uint32_t(kind), uint32_t(left), uint32_t(top), uint32_t(right - 1),
            uint32_t(bottom - 1), flags, 0};
}

} // namespace vx::test
