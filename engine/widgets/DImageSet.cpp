#include "engine/widgets/DImageSet.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/core/DFile.h"

DImageSet::~DImageSet() = default;

void DImageSet::referTo(std::unique_ptr<DBitmap>& image, DFile& file, uint32_t offset)
{
    image = offset ? std::make_unique<DBitmap>(&file, offset) : nullptr;
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

void DImageSet::referTo(DFile& file, std::span<const uint32_t> offsets)
{
    m_images.clear();
    m_images.reserve(offsets.size());
    for (const uint32_t offset : offsets)
        referTo(m_images.emplace_back(), file, offset);
}

void DImageSet::showChoice(DBaseObject_UnscaledBitmap* picture, uint32_t value) const
{
    if (!picture || m_images.empty())
        return;
    picture->setBitmap(image(value < m_images.size() ? value : 0));
}
