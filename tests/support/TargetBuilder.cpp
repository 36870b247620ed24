#include "tests/support/TargetBuilder.h"

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetImageWords.h"

namespace vx::test {

using namespace target;

TargetBuilder::TargetBuilder(uint32_t width, uint32_t height, uint32_t pageCount) : m_pageCount(pageCount)
{
    m_riff = std::make_unique<DRIFFFile>(m_stream, kChunkRiff, kFormProject);
    m_proj = std::make_unique<DRIFFFile>(*m_riff, kChunkProject);
    m_header.pageWidth = width;
    m_header.pageHeight = height;
    m_header.frameBytes = ProjectHeader::frameBytesFor(width, height);
    m_header.pageCount = pageCount;
    m_headerStart = m_proj->tell();
    writeRecord(*m_proj, m_header); // rewritten whole by finish
    for (uint32_t i = 0; i < pageCount; ++i)
        writeWord(*m_proj, 0);
}

TargetBuilder::~TargetBuilder() = default;

uint32_t TargetBuilder::image(uint32_t width, uint32_t height, std::span<const uint32_t> pixels,
                              ImageCompression compression)
{
    constexpr uint32_t kPixelBytes = ImageChunkHeader::kBytesPerPixel;
    std::vector<uint8_t> bytes(pixels.size() * kPixelBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        storeWord(bytes, i * kPixelBytes, pixels[i]);
    const TargetImage picture{width, height, width * kPixelBytes, kPixelFormat32, bytes, 0, {}};
    return uint32_t(writeImageChunk(*m_riff, picture, compression));
}

uint32_t TargetBuilder::font(std::span<const uint8_t> bytes)
{
    return uint32_t(writeFontChunk(*m_riff, bytes));
}

void TargetBuilder::page(uint32_t type, int32_t initialFocus, const std::function<void(Page&)>& objects)
{
    const uint64_t chunkStart = m_riff->tell();
    m_riff->patchValue(m_headerStart + ProjectHeader::pageTableEntryOffset(m_pagesWritten++), uint32_t(chunkStart));
    DRIFFFile chunk(*m_riff, kChunkPage);
    const uint64_t start = chunk.tell();
    PageHeader header;
    header.pageType = type;
    header.initialFocus = initialFocus;
    writeRecord(chunk, header);
    chunk.patchValue(start + PageHeader::kFirstRecordOffsetOffset, uint32_t(chunk.tell()));
    Page page(chunk);
    objects(page);
    chunk.patchValue(start + PageHeader::kObjectCountOffset, page.objects());
    chunk.patchValue(start + PageHeader::kElementCountOffset, page.elements());
    chunk.close();
}

std::vector<uint8_t> TargetBuilder::finish()
{
    m_header.pageCount = m_pageCount;
    m_header.pageTableOffset = uint32_t(m_headerStart + ProjectHeader::pageTableEntryOffset(0));
    patchRecord(*m_proj, m_headerStart, m_header);
    m_proj->close();
    m_riff->close();
    return m_stream.take();
}

void TargetBuilder::Page::object(uint32_t type, const ClassWords& classWords, const Actions& actions,
                                 ObjectRecordHeader header)
{
    const uint64_t start = m_file.tell();
    header.type = type;
    writeRecord(m_file, header);
    if (classWords)
        classWords(m_file);
    m_file.patchValue(start + ObjectRecordHeader::kActionBlockOffsetOffset, uint32_t(m_file.tell() - start));
    ActionBlockWriter block(m_file);
    if (actions)
        actions(block);
    block.finish();
    m_file.patchValue(start + ObjectRecordHeader::kRecordSizeOffset, uint32_t(m_file.tell() - start));
    ++m_objects;
}

void TargetBuilder::Page::element(ElementKind kind, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                  uint32_t flags)
{
    if (kind == ElementKind::Placeholder) {
        writeRecord(m_file, PlaceholderRecord{}); // its size word and kind only
        return;
    }
    writeRecord(m_file, makeElementRecord(kind, left, top, right, bottom, flags));
    ++m_elements;
}

namespace {

// The background object: its words and one opaque element over width x height.
template <class Words>
void writeBackground(TargetBuilder::Page& page, WidgetType type, const Words& words, ElementKind kind, int32_t width,
                     int32_t height, const TargetBuilder::Actions& actions)
{
    page.object(uint32_t(type),
                [&](DRIFFFile& file) {
                    writeClassData(file, words);
                    page.element(kind, 0, 0, width, height, PageBackground::kFlagsOpaque);
                },
                actions);
}

} // namespace

void TargetBuilder::Page::backgroundColour(uint32_t argb, int32_t width, int32_t height, const Actions& actions)
{
    writeBackground(*this, WidgetType::Rectangle, RectangleWords{argb}, ElementKind::SolidRect, width, height, actions);
}

void TargetBuilder::Page::backgroundImage(uint32_t offset, int32_t width, int32_t height, const Actions& actions)
{
    writeBackground(*this, WidgetType::StaticImage, StaticImageWords{offset}, ElementKind::UnscaledBitmap, width,
                    height, actions);
}

std::vector<uint8_t> actionBlockBytes(const TargetBuilder::Actions& actions)
{
    DMemoryStream stream;
    {
        DRIFFFile root(stream, kChunkRiff, kFormProject);
        ActionBlockWriter block(root);
        if (actions)
            actions(block);
        block.finish();
        root.close();
    }
    const std::span<const uint8_t> bytes = stream.bytes().subspan(ChunkHeader::kDataOffset);
    return {bytes.begin(), bytes.end()};
}

} // namespace vx::test
