#include "engine/widgets/DCompositeObject_Meter.h"

#include "engine/primitives/DBaseObject_RotatingBitmap.h"
#include "engine/primitives/DBaseObject_SolidTriangle.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/tags/DItem.h"
#include "engine/core/DProject.h"
#include "engine/widgets/DScaledWords.h"
#include "engine/primitives/DWidgetMath.h"

namespace {
// Differs from every angle a value gives, so the first value after show always draws.
constexpr double kUnsetAngle = 0.0001;
} // namespace

DCompositeObject_Meter::DCompositeObject_Meter() = default;
DCompositeObject_Meter::~DCompositeObject_Meter() = default;

int DCompositeObject_Meter::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::MeterClassData data;
    const int status = readScaledClassData(file, data, m_tag, m_scale);
    const Words& words = data.words;
    m_alarms.setLimits(words.lowLimit, words.highLimit);
    m_direction = words.direction;
    m_start = radiansOf(words.startDegrees());
    const double end = radiansOf(words.endDegrees());
    m_sweep = m_direction == kClockwise ? end - m_start : m_start - end;
    if (m_sweep <= 0)
        m_sweep += kFullTurn;
    m_pivot = pointOf(words.pivot);
    m_needlePivot = pointOf(words.needlePivot);
    m_baseWidth = int32_t(words.needleBaseWidth());
    m_length = int32_t(words.needleLength());
    m_tipRadius = int32_t(words.tipRadius());

    m_needle = loadPrimitive(file);
    m_dial = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    m_rotatingNeedle = dynamic_cast<DBaseObject_RotatingBitmap*>(m_needle);
    m_triangleNeedle = dynamic_cast<DBaseObject_SolidTriangle*>(m_needle);
    if (m_rotatingNeedle)
        DImageSet::referTo(m_needleImage, file, words.needle);
    if (m_triangleNeedle)
        m_triangleNeedle->setColour(words.needleColour);
    DImageSet::referTo(m_dialImage, file, words.dialImage);
    return status;
}

void DCompositeObject_Meter::show()
{
    if (m_dial)
        m_dial->setBitmap(m_dialImage.get());
    if (m_project)
        (void)m_project->bindTag(m_tag, *this, DProject::Binding::Watch);
    m_angle = kUnsetAngle;
}

void DCompositeObject_Meter::hide()
{
    if (m_project)
        (void)m_project->bindTag(m_tag, *this, DProject::Binding::Unwatch);
}

void DCompositeObject_Meter::onValueChanged(DItem& item)
{
    if (!m_acceptValueChanges)
        return;
    const int32_t s = m_scale.scaled(item.value().shownNumber());
    int64_t tested = s;
    if (m_needle && m_dial) {
        // Without a range or a step the needle rests at the start and raises no alarm.
        if (!m_scale.isUsable()) {
            setNeedleAngle(0);
            return;
        }
        const uint64_t position = m_scale.positionOf(s);
        setNeedleAngle(double(position) * m_sweep / double(m_scale.range()));
        // The alarms see the needle's value, in the limits' units.
        tested = int64_t(m_scale.minimum) + int64_t(position);
    }
    m_alarms.run(tested, *this);
}

void DCompositeObject_Meter::setNeedleAngle(double angle)
{
    if (angle == m_angle)
        return;
    m_angle = angle;
    const double drawn = m_direction == kClockwise ? m_start + angle : m_start - angle;
    if (m_rotatingNeedle && m_needleImage)
        m_rotatingNeedle->setRotation(m_needleImage.get(), m_pivot, m_needlePivot, drawn);
    else if (m_triangleNeedle)
        m_triangleNeedle->setNeedle(drawn, {m_baseWidth, m_length, m_pivot, m_tipRadius});
}
