#include "engine/widgets/DCompositeObject_Bargraph.h"

#include "engine/primitives/DBaseObject_SolidRect.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/tags/DItem.h"
#include "engine/core/DProject.h"
#include "engine/widgets/DScaledWords.h"
#include "engine/primitives/DWidgetMath.h"

DCompositeObject_Bargraph::DCompositeObject_Bargraph() = default;
DCompositeObject_Bargraph::~DCompositeObject_Bargraph() = default;

int DCompositeObject_Bargraph::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::BarGraphClassData data;
    const int status = readScaledClassData(file, data, m_tag, m_scale);
    const Words& words = data.words;
    m_direction = words.direction;
    m_alarms.setLimits(words.lowLimit, words.highLimit);

    m_bar = loadPrimitive(file);
    m_frame = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    // The bar's kind says what its word holds.
    m_colourBar = dynamic_cast<DBaseObject_SolidRect*>(m_bar);
    m_imageBar = dynamic_cast<DBaseObject_UnscaledBitmap*>(m_bar);
    if (m_imageBar)
        DImageSet::referTo(m_barImage, file, words.bar);
    else
        m_colour = words.bar;
    DImageSet::referTo(m_frameImage, file, words.frameImage);
    return status;
}

void DCompositeObject_Bargraph::show()
{
    if (m_frame)
        m_frame->setBitmap(m_frameImage.get());
    if (m_imageBar)
        m_imageBar->setBitmap(m_barImage.get());
    if (m_colourBar) {
        m_colourBar->setColour(m_colour);
        m_colourBar->invalidate(m_colourBar->visibleRect());
    }
    if (m_project)
        (void)m_project->bindTag(m_tag, *this, DProject::Binding::Watch);
}

void DCompositeObject_Bargraph::hide()
{
    if (m_project)
        (void)m_project->bindTag(m_tag, *this, DProject::Binding::Unwatch);
}

void DCompositeObject_Bargraph::onValueChanged(DItem& item)
{
    if (m_direction < Right || m_direction > Up)
        return;
    const int32_t s = m_scale.scaled(item.value().shownNumber());
    // Without a range the bar rests at its minimum and raises no alarm.
    const bool ranged = m_scale.range() != 0;
    setBar(ranged ? s : m_scale.minimum);
    if (!ranged)
        return;
    m_alarms.run(s, *this);
}

void DCompositeObject_Bargraph::setBar(int32_t s)
{
    if (!m_bar)
        return;
    DRect rect = m_bar->bounds();
    const bool across = m_direction == Right || m_direction == Left;
    const int64_t extent = across ? rect.width() : rect.height();
    int64_t filled = 0;
    if (s < m_scale.minimum || m_scale.range() == 0)
        filled = 0;
    else if (s > m_scale.maximum)
        filled = extent;
    else
        filled = mulDiv(extent, int64_t(s) - m_scale.minimum, int64_t(m_scale.range()));
    switch (m_direction) {
    case Right: rect.right = toCoordinate(int64_t(rect.left) + filled); break;
    case Left: rect.left = toCoordinate(int64_t(rect.right) - filled); break;
    case Down: rect.bottom = toCoordinate(int64_t(rect.top) + filled); break;
    default: rect.top = toCoordinate(int64_t(rect.bottom) - filled); break;
    }
    m_bar->setVisibleRect(rect);
}
