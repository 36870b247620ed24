#pragma once
// A widget's image references read from its record: one picture or a list of pictures
// chosen by a tag value. An offset of 0 is no image, kept as a null reference.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/render/DBitmap.h"
#include "engine/core/DObject.h"

class DBaseObject;
class DBaseObject_UnscaledBitmap;
class DFile;

class DImageSet : public DObject {
public:
    DImageSet() = default;
    ~DImageSet() override;
    DImageSet(const DImageSet&) = delete;
    DImageSet& operator=(const DImageSet&) = delete;

    // The image reference of an offset from a record; an offset of 0 leaves none.
    static void referTo(std::unique_ptr<DBitmap>& image, DFile& file, uint32_t offset);
    // The primitive as a picture, or null when it is none (a placeholder or another kind).
    [[nodiscard]] static DBaseObject_UnscaledBitmap* asPicture(DBaseObject* primitive);
    // Gives the picture the image when there is a picture.
    static void showImage(DBaseObject_UnscaledBitmap* picture, DBitmap* image);

    // One image reference per offset of a list read with the class data.
    void referTo(DFile& file, std::span<const uint32_t> offsets);

    uint32_t count() const { return uint32_t(m_images.size()); }
    // Null past the end or for an offset of 0.
    DBitmap* image(uint32_t index) const { return index < m_images.size() ? m_images[index].get() : nullptr; }
    // Image value when value < N, else image 0; with N = 0 the picture is left as it is.
    void showChoice(DBaseObject_UnscaledBitmap* picture, uint32_t value) const;

private:
    std::vector<std::unique_ptr<DBitmap>> m_images;
};
