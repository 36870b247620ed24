#pragma once
// A widget's image references read from its record: one picture or a list of pictures
// chosen by a tag value. An offset of 0 is no image, kept as a null reference.

#include <cstdint>
#include <memory>
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
    // Reads one image offset into an image reference; the status of the read.
    [[nodiscard]] static int readImage(DFile& file, std::unique_ptr<DBitmap>& image);
    // The primitive as a picture, or null when it is none (a placeholder or another kind).
    [[nodiscard]] static DBaseObject_UnscaledBitmap* asPicture(DBaseObject* primitive);
    // Gives the picture the image when there is a picture.
    static void showImage(DBaseObject_UnscaledBitmap* picture, DBitmap* image);
    // Bytes from the file's position to the end of the record being read.
    [[nodiscard]] static uint64_t bytesLeft(const DFile& file);

    // Reads count offsets. A count the record cannot hold is cut to the words left in it,
    // so a damaged count never sizes the list. The status of the last read.
    [[nodiscard]] int load(DFile& file, uint32_t count);

    uint32_t count() const { return uint32_t(m_images.size()); }
    // Null past the end or for an offset of 0.
    DBitmap* image(uint32_t index) const { return index < m_images.size() ? m_images[index].get() : nullptr; }
    // Image value when value < N, else image 0; with N = 0 the picture is left as it is.
    void showChoice(DBaseObject_UnscaledBitmap* picture, uint32_t value) const;

private:
    std::vector<std::unique_ptr<DBitmap>> m_images;
};
