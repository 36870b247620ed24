#include "engine/widgets/DCompositeObject_DynamicImage.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_DynamicImage::DCompositeObject_DynamicImage() = default;
DCompositeObject_DynamicImage::~DCompositeObject_DynamicImage() = default;

int DCompositeObject_DynamicImage::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::DynamicImageClassData data;
    const int status = target::readClassData(file, data).status;
    m_images.referTo(file, data.images);
    m_tag = DItemDescriptor::fromReference(data.tail.valueTag);
    m_picture = DImageSet::asPicture(loadPrimitive(file));
    return status;
}

void DCompositeObject_DynamicImage::show()
{
    m_images.showChoice(m_picture, 0);
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_tag});
}

void DCompositeObject_DynamicImage::hide()
{
    DWidgetTags::bind(m_project, *this, DProject::Binding::Unwatch, {&m_tag});
}

void DCompositeObject_DynamicImage::onValueChanged(DItem& item)
{
    if (&item == m_tag.item)
        m_images.showChoice(m_picture, DWidgetTags::number(item));
}
