#include "engine/DCompositeObject_StaticText.h"

#include "engine/DBaseObject_UnscaledBitmap.h"
#include "engine/DBitmap.h"
#include "engine/DFile.h"
#include "engine/DImageSet.h"

DCompositeObject_StaticText::DCompositeObject_StaticText() = default;
DCompositeObject_StaticText::~DCompositeObject_StaticText() = default;

int DCompositeObject_StaticText::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    (void)DImageSet::readImage(file, m_frameImage);
    const int status = DImageSet::readImage(file, m_textImage);
    m_textPicture = DImageSet::asPicture(loadPrimitive(file));
    m_framePicture = DImageSet::asPicture(loadPrimitive(file));
    return status;
}

void DCompositeObject_StaticText::show()
{
    DImageSet::showImage(m_framePicture, m_frameImage.get());
    DImageSet::showImage(m_textPicture, m_textImage.get());
}
