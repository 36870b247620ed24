#include "engine/widgets/DThumbWidget.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/tags/DItem.h"
#include "engine/core/DProject.h"
#include "engine/widgets/DScaledWords.h"
#include "engine/primitives/DWidgetMath.h"
#include "engine/widgets/DWidgetTags.h"

DThumbWidget::DThumbWidget() = default;
DThumbWidget::~DThumbWidget() = default;

int DThumbWidget::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::SliderClassData data;
    const int status = readScaledClassData(file, data, m_tag, m_scale);
    const Words& words = data.words;
    m_direction = words.direction;

    m_thumb = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    m_track = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    DImageSet::referTo(m_trackImage, file, words.trackImage);
    DImageSet::referTo(m_thumbImage, file, words.thumbImage);
    DImageSet::referTo(m_focusedTrackImage, file, words.focusedTrackImage);
    if (m_track)
        m_tracksFocus = m_track->flags() & DBaseObject::kFocusTracking;
    if (m_thumb && m_track)
        layout(words);
    return status;
}

void DThumbWidget::show()
{
    showTrack();
    if (m_thumb)
        m_thumb->setBitmap(m_thumbImage.get());
    if (m_project)
        (void)m_project->bindTag(m_tag, *this, DProject::Binding::Watch);
    forgetPlace();
}

void DThumbWidget::hide()
{
    if (m_project)
        (void)m_project->bindTag(m_tag, *this, DProject::Binding::Unwatch);
}

void DThumbWidget::showTrack()
{
    if (m_track)
        m_track->setBitmap(m_focused ? m_focusedTrackImage.get() : m_trackImage.get());
}

int DThumbWidget::setFocus(int on)
{
    (void)DCompositeObject::setFocus(on);
    showTrack();
    return 1;
}

void DThumbWidget::onPointerDown(DPoint point)
{
    drag(point);
    DCompositeObject::onPointerDown(point);
}

void DThumbWidget::onPointerMove(DPoint point)
{
    drag(point);
}

void DThumbWidget::onValueChanged(DItem& item)
{
    if (!m_acceptValueChanges || !m_thumb || !m_track)
        return;
    // Without a range or a step the thumb rests at the minimum.
    place(m_scale.isUsable() ? m_scale.positionOf(m_scale.unscaled(item.value().shownNumber())) : 0);
}

void DThumbWidget::drag(DPoint point)
{
    if (!m_thumb || !m_track || !m_scale.isUsable())
        return;
    const std::optional<uint64_t> position = positionAt(point);
    if (!position)
        return;
    place(*position);
    write(*position);
}

void DThumbWidget::write(uint64_t position)
{
    DWidgetTags::writeOwnNumber(m_tag, m_scale.valueAt(position), m_acceptValueChanges);
}

int64_t DThumbWidget::share(int64_t extent, uint64_t position) const
{
    const uint64_t range = m_scale.range();
    return range ? mulDiv(extent, int64_t(position), int64_t(range)) : 0;
}
