#include "engine/DCompositeObject_MessageField.h"

#include "engine/DBaseObject_UnscaledBitmap.h"
#include "engine/DBitmap.h"
#include "engine/DFile.h"

DCompositeObject_MessageField::DCompositeObject_MessageField() = default;
DCompositeObject_MessageField::~DCompositeObject_MessageField() = default;

int DCompositeObject_MessageField::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    (void)DImageSet::readImage(file, m_frameImage);
    uint32_t count = 0;
    (void)readWord(file, count);
    (void)m_images.load(file, count);
    const int status = readItemDescriptor(file, m_tag);
    m_picture = DImageSet::asPicture(loadPrimitive(file));
    m_framePicture = DImageSet::asPicture(loadPrimitive(file));
    return status;
}

void DCompositeObject_MessageField::show()
{
    DCompositeObject_DynamicImage::show();
    DImageSet::showImage(m_framePicture, m_frameImage.get());
}
