#pragma once
// One object collected and compiled, and its record ended, as a page compile does: its record as words, with
// the resource entries it collected and how many of them its compile took back.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetPage.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace vx::test {

struct CompiledRecord {
    std::vector<uint32_t> words;
    std::vector<uint32_t> entries;
    std::size_t taken = 0;
    int status = 0;
};

inline CompiledRecord CompileRecord(ObjectCompileHarness& harness, CEditorObject& object)
{
    CompiledRecord result;
    uint64_t recordStart = 0;
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        object.CollectImages(file, context.resources);
        const uint64_t start = file.tell();
        recordStart = start - target::ChunkHeader::kDataOffset;
        result.status = object.Compile(file, context);
        // The page ends the record: the action block, then the two sizes.
        file.patchValue(start + target::ObjectRecordHeader::kActionBlockOffsetOffset, uint32_t(file.tell() - start));
        (void)object.CompileActions(file, context.actions);
        file.patchValue(start + target::ObjectRecordHeader::kRecordSizeOffset, uint32_t(file.tell() - start));
    });
    for (std::size_t i = recordStart; i + 4 <= bytes.size(); i += 4)
        result.words.push_back(target::loadWord(bytes, i));
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

// The header of a record of that many words with no navigation, its action block last.
inline std::vector<uint32_t> RecordHeaderWords(uint32_t type, uint32_t words)
{
    const uint32_t none = uint32_t(-1);
    return {words * 4, (words - 1) * 4, type, 0, none, none, none, none};
}

// An element record's common words over an exclusive rectangle.
inline std::vector<uint32_t> ElementWords(target::ElementKind kind, int32_t left, int32_t top, int32_t right,
                                          int32_t bottom, uint32_t flags)
{
    return {target::elementRecordSize(kind), uint32_t(kind), uint32_t(left), uint32_t(top), uint32_t(right - 1),
            uint32_t(bottom - 1), flags, 0};
}

} // namespace vx::test
