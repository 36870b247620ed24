#include "engine/render/DEngineFontSource.h"

#include <cstdlib>
#include <memory>

#include "engine/render/DEngineFontDescriptor.h"
#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/text/DTextDescriptor.h"
#include "foundation/text/DTextRenderer.h"

namespace {

// Pitch request bits and the family bits of a pitch-and-family byte.
constexpr int32_t kFixedPitch = 1, kAnyPitch = 3, kFamilyMask = 0x70;
// A face needs at least its offset entry and a table directory in a collection.
constexpr uint32_t kSmallestFaceBytes = 16;

const DEngineFontDescriptor* engineFace(const std::unique_ptr<DFontFileDescriptor>& face)
{
    return dynamic_cast<const DEngineFontDescriptor*>(face.get());
}

int32_t score(const DTextDescriptor& request, const DEngineFontDescriptor& face)
{
    int32_t total = 0;
    if ((face.italic != 0) == (request.italic != 0))
        ++total;
    if ((face.bold != 0) == (request.bold != 0))
        ++total;
    if (request.pitchFamily & kAnyPitch) {
        const bool wantsFixed = request.pitchFamily & kFixedPitch;
        if (wantsFixed == (face.fixedWidth != 0))
            total += 5;
    }
    if ((request.pitchFamily & kFamilyMask) == (face.pitchFamily & kFamilyMask))
        total += 3;
    const std::u16string_view wanted = request.family.view(), name = face.friendlyName.view();
    for (std::size_t i = 0; i < wanted.size() && i < name.size() && wanted[i] == name[i]; ++i)
        ++total;
    return total;
}

} // namespace

const DFontFileDescriptor* DEngineFontSource::findFace(const DTextDescriptor& request, const DFontFaceList& faces)
{
    const DEngineFontDescriptor* chosen = nullptr;
    for (const auto& entry : faces) {
        const DEngineFontDescriptor* face = engineFace(entry);
        if (face && ((request.fontReference && face->chunkPosition() == request.fontReference) ||
                     face->friendlyName == request.family)) {
            chosen = face;
            break;
        }
    }
    if (!chosen) {
        int32_t best = 0;
        for (const auto& entry : faces)
            if (const DEngineFontDescriptor* face = engineFace(entry); face) {
                const int32_t value = score(request, *face);
                if (value > best) {
                    best = value;
                    chosen = face;
                }
            }
    }
    if (!chosen || !chosen->singleFixedSize)
        return chosen;
    // A face of one bitmap strike: the strike of that name nearest the requested size.
    const DEngineFontDescriptor* nearest = chosen;
    int64_t distance = std::llabs(int64_t(chosen->fixedHeight) - request.size);
    for (const auto& entry : faces) {
        const DEngineFontDescriptor* face = engineFace(entry);
        if (!face || !(face->friendlyName == chosen->friendlyName))
            continue;
        const int64_t next = std::llabs(int64_t(face->fixedHeight) - request.size);
        if (next < distance) {
            distance = next;
            nearest = face;
        }
    }
    return nearest;
}

uint32_t DEngineFontSource::loadFonts(DTextRenderer& renderer, DFile& file, uint64_t end)
{
    // The old faces point into the file of the last load: let them go with their glyphs.
    (void)renderer.clear();
    if (renderer.init() != 0)
        return 0;
    if (end > file.size())
        end = file.size();
    uint32_t added = 0;
    uint64_t position = file.tell();
    while (position + target::ChunkHeader::kSize <= end) {
        if (file.seek(int64_t(position), DFile::FromStart) != DStatus::Ok)
            break;
        target::ChunkHeader chunk;
        if (target::readRecord(file, chunk) != DStatus::Ok)
            break;
        const uint64_t next = chunk.nextChunkPosition(position);
        if (chunk.identifier == target::kChunkFont && position <= UINT32_MAX) {
            // The face bytes are bounded by the chunk and by the file.
            const uint64_t start = position + target::ChunkHeader::kDataOffset;
            uint64_t bytes = std::min<uint64_t>(chunk.dataSize(), end - start);
            bytes = std::min<uint64_t>(bytes, UINT32_MAX);
            const DEngineFontDescriptor probe(&file, uint32_t(position), uint32_t(bytes));
            FT_Face face = nullptr;
            FT_Long count = 0;
            if (probe.openFaceAt(renderer.library(), -1, &face) == 0) {
                count = face->num_faces;
                FT_Done_Face(face);
            }
            count = std::min<FT_Long>(count, FT_Long(bytes / kSmallestFaceBytes));
            for (FT_Long index = 0; index < count; ++index) {
                auto descriptor = std::make_unique<DEngineFontDescriptor>(&file, uint32_t(position), uint32_t(bytes));
                if (!descriptor)
                    break;
                face = nullptr;
                if (descriptor->openFaceAt(renderer.library(), index, &face) != 0)
                    continue;
                const bool named = face->family_name && *face->family_name;
                if (named)
                    descriptor->describeEngineFace(face, int32_t(index));
                FT_Done_Face(face);
                if (named) {
                    renderer.appendFace(std::move(descriptor));
                    ++added;
                }
            }
        }
        position = next;
    }
    return added;
}
