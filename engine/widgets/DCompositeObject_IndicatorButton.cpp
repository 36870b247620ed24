#include "engine/widgets/DCompositeObject_IndicatorButton.h"

#include "engine/core/DFile.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetButtonWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_IndicatorButton::DCompositeObject_IndicatorButton() = default;
DCompositeObject_IndicatorButton::~DCompositeObject_IndicatorButton() = default;

int DCompositeObject_IndicatorButton::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::IndicatorButtonClassData data;
    const int status = target::readClassData(file, data).status;
    takeButtonWords(file, data.button);
    m_indicatorImages.referTo(file, data.indicators.images);
    m_indicatorTag = DItemDescriptor::fromReference(data.indicators.tail);
    loadDecorations(file);
    m_indicator = DImageSet::asPicture(loadPrimitive(file));
    loadFace(file);
    return status;
}

void DCompositeObject_IndicatorButton::show()
{
    DCompositeObject_Button::show();
    m_indicatorImages.showChoice(m_indicator, 0);
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_indicatorTag});
}

void DCompositeObject_IndicatorButton::hide()
{
    DCompositeObject_Button::hide();
    DWidgetTags::bind(m_project, *this, DProject::Binding::Unwatch, {&m_indicatorTag});
}

void DCompositeObject_IndicatorButton::onValueChanged(DItem& item)
{
    if (&item == m_indicatorTag.item)
        m_indicatorImages.showChoice(m_indicator, DWidgetTags::number(item));
    DCompositeObject_Button::onValueChanged(item);
}
