#include "engine/DThumbWidget.h"

#include "engine/DBaseObject_UnscaledBitmap.h"
#include "engine/DBitmap.h"
#include "engine/DFile.h"
#include "engine/DItem.h"
#include "engine/DProject.h"
#include "engine/DWidgetMath.h"
#include "foundation/target/TargetBytes.h"

DThumbWidget::DThumbWidget() = default;
DThumbWidget::~DThumbWidget() = default;

int DThumbWidget::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    Words words;
    (void)target::readRecord(file, words);
    (void)readItemDescriptor(file, m_tag);
    uint32_t step = 0;
    const int status = readWord(file, step);
    m_direction = words.direction;
    m_scale = {words.multiplier, words.divisor, words.offset, words.minimum, words.maximum, step};

    m_thumb = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    m_track = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    const auto image = [&file](std::unique_ptr<DBitmap>& bitmap, uint32_t offset) {
        if (offset)
            bitmap.reset(new DBitmap(&file, offset));
    };
    image(m_trackImage, words.trackImage);
    image(m_thumbImage, words.thumbImage);
    image(m_focusedTrackImage, words.focusedTrackImage);
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
    if (!m_tag.item)
        return;
    DValue& value = m_tag.item->value();
    const int32_t number = m_scale.valueAt(position);
    if (!value.isNumber() || value.number() == number)
        return;
    // The notification of our own write must not move the thumb.
    m_acceptValueChanges = false;
    value.setNumber(number);
    value.markWritten();
    m_acceptValueChanges = true;
}

int64_t DThumbWidget::share(int64_t extent, uint64_t position) const
{
    const uint64_t range = m_scale.range();
    return range ? mulDiv(extent, int64_t(position), int64_t(range)) : 0;
}
