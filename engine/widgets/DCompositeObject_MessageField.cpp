#include "engine/widgets/DCompositeObject_MessageField.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_MessageField::DCompositeObject_MessageField() = default;
DCompositeObject_MessageField::~DCompositeObject_MessageField() = default;

int DCompositeObject_MessageField::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::MessageFieldClassData data;
    const int status = target::readClassData(file, data).status;
    DImageSet::referTo(m_frameImage, file, data.head.frameImage);
    m_images.referTo(file, data.images);
    m_tag = DItemDescriptor::fromReference(data.tail);
    m_picture = DImageSet::asPicture(loadPrimitive(file));
    m_framePicture = DImageSet::asPicture(loadPrimitive(file));
    return status;
}

void DCompositeObject_MessageField::show()
{
    DCompositeObject_DynamicImage::show();
    DImageSet::showImage(m_framePicture, m_frameImage.get());
}
