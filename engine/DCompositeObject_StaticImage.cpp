#include "engine/DCompositeObject_StaticImage.h"

#include "engine/DBaseObject_UnscaledBitmap.h"
#include "engine/DBitmap.h"
#include "engine/DFile.h"
#include "engine/DProject.h"

DCompositeObject_StaticImage::DCompositeObject_StaticImage() = default;
DCompositeObject_StaticImage::~DCompositeObject_StaticImage() = default;

int DCompositeObject_StaticImage::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    uint32_t offset = 0;
    const int status = readWord(file, offset);
    if (offset)
        m_image.reset(new DBitmap(&file, offset));
    m_picture = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    return status;
}

void DCompositeObject_StaticImage::show()
{
    if (m_picture)
        m_picture->setBitmap(m_image.get());
}
