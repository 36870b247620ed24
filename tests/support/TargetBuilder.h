#pragma once
// Builds target files for tests through the shared writer and record headers: the
// project header and page table, image and font chunks, pages with object records.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/ActionBlockWriter.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetImage.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetProject.h"
#include "foundation/target/TargetTag.h"

namespace vx::test {

// Bytes that records and words are written into, for a primitive or an action block read
// on its own.
struct ByteWriter {
    void write(const void* data, std::size_t length)
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        out.insert(out.end(), bytes, bytes + length);
    }
    std::vector<uint8_t> out;
};

class TargetBuilder {
public:
    using ClassWords = std::function<void(DRIFFFile&)>;
    using Actions = std::function<void(target::ActionBlockWriter&)>;

    class Page {
    public:
        explicit Page(DRIFFFile& file) : m_file(file) {}
        // One object record: its header (type and navigation), class words, action block.
        void object(uint32_t type, const ClassWords& classWords, const Actions& actions = {},
                    target::ObjectRecordHeader header = {});
        // The background record: a colour (ARGB) or an image chunk, over width x height.
        void backgroundColour(uint32_t argb, int32_t width, int32_t height, const Actions& actions = {});
        void backgroundImage(uint32_t offset, int32_t width, int32_t height, const Actions& actions = {});
        DRIFFFile& file() { return m_file; }
        uint32_t objects() const { return m_objects; }
        uint32_t elements() const { return m_elements; }
        // An element record with an exclusive rectangle (right and bottom one past the edge).
        void element(target::ElementKind kind, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     uint32_t flags);

    private:
        DRIFFFile& m_file;
        uint32_t m_objects = 0;
        uint32_t m_elements = 0;
    };

    TargetBuilder(uint32_t width, uint32_t height, uint32_t pageCount);
    ~TargetBuilder();

    // Project header fields; the page count and table are the builder's.
    target::ProjectHeader& header() { return m_header; }
    // An image chunk of premultiplied ARGB pixels, top-down; its absolute offset.
    uint32_t image(uint32_t width, uint32_t height, std::span<const uint32_t> pixels,
                   target::ImageCompression compression = target::ImageCompression::Lzo);
    uint32_t font(std::span<const uint8_t> bytes);
    // The outermost chunk, for resource chunks other writers add (the editor's collectors).
    DRIFFFile& riff() { return *m_riff; }
    // The next page of the table.
    void page(uint32_t type, int32_t initialFocus, const std::function<void(Page&)>& objects);
    std::vector<uint8_t> finish();

private:
    DMemoryStream m_stream;
    std::unique_ptr<DRIFFFile> m_riff;
    std::unique_ptr<DRIFFFile> m_proj;
    target::ProjectHeader m_header;
    uint64_t m_headerStart = 0;
    uint32_t m_pageCount;
    uint32_t m_pagesWritten = 0;
};

// One action block as the writer lays it down, on its own (no chunk around it).
std::vector<uint8_t> actionBlockBytes(const TargetBuilder::Actions& actions);

} // namespace vx::test
