#include "engine/render/DEngineFontDescriptor.h"

#include <string>

#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetFormat.h"

namespace {

unsigned long readStream(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    return static_cast<const DEngineFontDescriptor*>(stream->descriptor.pointer)->readAt(offset, buffer, count);
}

// FreeType's names are 8-bit text; each byte becomes one unit.
std::u16string widened(const char* text)
{
    std::u16string wide;
    for (; text && *text; ++text)
        wide.push_back(char16_t(static_cast<unsigned char>(*text)));
    return wide;
}

} // namespace

DEngineFontDescriptor::DEngineFontDescriptor(DFile* file, uint32_t chunkPosition, uint32_t streamSize)
    : m_file(file), m_chunkPosition(chunkPosition), m_streamSize(streamSize)
{
}

DEngineFontDescriptor::~DEngineFontDescriptor() = default;

FT_Error DEngineFontDescriptor::openFace(FT_Library library, FT_Face* face) const
{
    if (faceIndex < 0)
        return FT_Err_Invalid_Argument;
    return openFaceAt(library, faceIndex, face);
}

FT_Error DEngineFontDescriptor::openFaceAt(FT_Library library, FT_Long index, FT_Face* face) const
{
    if (!m_file || !m_streamSize)
        return FT_Err_Cannot_Open_Stream;
    m_stream = FT_StreamRec{};
    m_stream.size = m_streamSize;
    m_stream.descriptor.pointer = const_cast<DEngineFontDescriptor*>(this);
    m_stream.read = &readStream;
    m_stream.close = nullptr; // the target file stays open for the project
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &m_stream;
    return FT_Open_Face(library, &args, index, face);
}

unsigned long DEngineFontDescriptor::readAt(unsigned long offset, unsigned char* buffer, unsigned long count) const
{
    if (count == 0)
        return offset <= m_streamSize ? 0 : 1;
    if (!buffer || !m_file || offset >= m_streamSize)
        return 0;
    if (count > m_streamSize - offset)
        count = m_streamSize - offset;
    const uint32_t back = m_file->tell();
    const uint64_t at = uint64_t(m_chunkPosition) + target::ChunkHeader::kDataOffset + offset;
    unsigned long done = 0;
    if (m_file->seek(int64_t(at), DFile::FromStart) == DStatus::Ok &&
        m_file->read(buffer, uint32_t(count)) == DStatus::Ok)
        done = count;
    (void)m_file->seek(int64_t(back), DFile::FromStart);
    return done;
}

void DEngineFontDescriptor::describeEngineFace(FT_Face face, int32_t index)
{
    describe(face);
    std::u16string name = widened(face->family_name);
    if (face->style_name && *face->style_name) {
        name += u' ';
        name += widened(face->style_name);
    }
    friendlyName.assign(name);
    faceIndex = index;
    fileExists = 1;
    singleFixedSize = (face->face_flags & FT_FACE_FLAG_FIXED_SIZES) && face->num_fixed_sizes == 1 ? 1 : 0;
    fixedHeight = singleFixedSize && face->available_sizes ? face->available_sizes[0].height : 0;
}
