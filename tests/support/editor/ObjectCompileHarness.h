#pragma once
// Compiles pieces of an object (element records, tag words) into the data of an
// outermost chunk and reads them back through the shared target records.

#include <cstdint>
#include <vector>

#include "editor/objects/CObjectCompileContext.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetSpanReader.h"
#include "tests/support/editor/ActionCompileHarness.h"

namespace vx::test {

class ObjectCompileHarness : public ActionCompileHarness {
public:
    ObjectCompileHarness() { resources.Begin(32, target::kTargetFlagsDefault); }

    // The bytes compile wrote after the chunk header.
    template <class Compile>
    std::vector<uint8_t> Write(Compile&& compile)
    {
        DMemoryStream stream;
        {
            DRIFFFile root(stream, target::kChunkRiff, target::kFormProject);
            CActionCompileContext actions = Context();
            CObjectCompileContext context{actions, resources, elementRects, firstObjectOfWindowPage};
            compile(root, context);
            root.close();
        }
        const auto bytes = stream.bytes();
        return {bytes.begin() + target::ChunkHeader::kDataOffset, bytes.end()};
    }

    // An object's collection, into a file of its own, then its compile: the record's words.
    // The collected entries stay in resources, so a test can name them.
    template <class Object>
    std::vector<uint32_t> CompileObject(Object& object)
    {
        Write([&](DRIFFFile& file, CObjectCompileContext&) { object.CollectImages(file, resources); });
        const std::vector<uint8_t> bytes =
            Write([&](DRIFFFile& file, CObjectCompileContext& context) { (void)object.Compile(file, context); });
        std::vector<uint32_t> words;
        for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
            words.push_back(target::loadWord(bytes, i));
        return words;
    }

    CResourceIndex resources;
    std::vector<gfx::Rect> elementRects;
    bool firstObjectOfWindowPage = false;
};

// Reads records one after the other from compiled bytes.
class RecordReader {
public:
    // Keeps its own copy, so it may read what a call handed back.
    explicit RecordReader(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)), m_reader(m_bytes) {}

    template <class Record>
    Record Next()
    {
        Record record{};
        m_status = target::readRecord(m_reader, record) | m_status;
        return record;
    }
    bool Ok() const { return m_status == 0; }
    uint64_t Position() const { return m_reader.tell(); }

private:
    std::vector<uint8_t> m_bytes;
    target::TargetSpanReader m_reader;
    int m_status = 0;
};

} // namespace vx::test
