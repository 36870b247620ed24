#include "engine/widgets/DCompositeObject_MessageField.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "foundation/target/TargetTextWords.h"

DCompositeObject_MessageField::DCompositeObject_MessageField() = default;
DCompositeObject_MessageField::~DCompositeObject_MessageField() = default;

int DCompositeObject_MessageField::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::MessageFieldHead head;
    (void)target::readRecordWords(file, head);
    DImageSet::referTo(m_frameImage, file, head.frameImage);
    (void)m_images.load(file, head.count);
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
