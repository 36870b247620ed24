#include "engine/widgets/DCompositeObject_IndicatorLight.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetLightWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_IndicatorLight::DCompositeObject_IndicatorLight() = default;
DCompositeObject_IndicatorLight::~DCompositeObject_IndicatorLight() = default;

int DCompositeObject_IndicatorLight::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::IndicatorLightClassData data;
    const int status = target::readClassData(file, data).status;
    DImageSet::referTo(m_frameImage, file, data.head.frameImage);
    m_stateImages.referTo(file, data.images);
    m_tag = DItemDescriptor::fromReference(data.tail.valueTag);
    DImageSet::referTo(m_overlay1Image, file, data.tail.iconImage);
    DImageSet::referTo(m_overlay2Image, file, data.tail.textImage);
    m_overlay2Picture = DImageSet::asPicture(loadPrimitive(file));
    m_overlay1Picture = DImageSet::asPicture(loadPrimitive(file));
    m_statePicture = DImageSet::asPicture(loadPrimitive(file));
    m_framePicture = DImageSet::asPicture(loadPrimitive(file));
    return status;
}

void DCompositeObject_IndicatorLight::show()
{
    DImageSet::showImage(m_framePicture, m_frameImage.get());
    m_stateImages.showChoice(m_statePicture, 0);
    DImageSet::showImage(m_overlay1Picture, m_overlay1Image.get());
    DImageSet::showImage(m_overlay2Picture, m_overlay2Image.get());
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_tag});
}

void DCompositeObject_IndicatorLight::hide()
{
    DWidgetTags::bind(m_project, *this, DProject::Binding::Unwatch, {&m_tag});
}

void DCompositeObject_IndicatorLight::onValueChanged(DItem& item)
{
    if (&item == m_tag.item)
        m_stateImages.showChoice(m_statePicture, DWidgetTags::number(item));
}
