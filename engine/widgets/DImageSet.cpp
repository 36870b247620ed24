#include "engine/widgets/DImageSet.h"

#include <algorithm>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetFormat.h"

DImageSet::~DImageSet() = default;

void DImageSet::referTo(std::unique_ptr<DBitmap>& image, DFile& file, uint32_t offset)
{
    image = offset ? std::make_unique<DBitmap>(&file, offset) : nullptr;
}

int DImageSet::readImage(DFile& file, std::unique_ptr<DBitmap>& image)
{
    uint32_t offset = 0;
    const int status = readWord(file, offset);
    referTo(image, file, offset);
    return status;
}

DBaseObject_UnscaledBitmap* DImageSet::asPicture(DBaseObject* primitive)
{
    return dynamic_cast<DBaseObject_UnscaledBitmap*>(primitive);
}

void DImageSet::showImage(DBaseObject_UnscaledBitmap* picture, DBitmap* image)
{
    if (picture)
        picture->setBitmap(image);
}

uint64_t DImageSet::bytesLeft(const DFile& file)
{
    const uint64_t end = std::min<uint64_t>(file.currentLimit(), file.size());
    const uint64_t position = file.tell();
    return end > position ? end - position : 0;
}

int DImageSet::load(DFile& file, uint32_t count)
{
    m_images.clear();
    const uint64_t fits = bytesLeft(file) / target::kWordSize;
    count = uint32_t(std::min<uint64_t>(count, fits));
    m_images.reserve(count);
    int status = DStatus::Ok;
    for (uint32_t i = 0; i < count; ++i) {
        m_images.emplace_back();
        status = readImage(file, m_images.back());
    }
    return status;
}

void DImageSet::showChoice(DBaseObject_UnscaledBitmap* picture, uint32_t value) const
{
    if (!picture || m_images.empty())
        return;
    picture->setBitmap(image(value < m_images.size() ? value : 0));
}
