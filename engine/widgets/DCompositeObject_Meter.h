#pragma once
// A dial with a needle that points at a tag value between two angles; the needle is a
// turned picture or a drawn triangle. Fires the low and high alarm triggers.

#include <cstdint>
#include <memory>

#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DScaledValue.h"
#include "engine/widgets/DValueAlarms.h"
#include "foundation/target/TargetMeterWords.h"

class DBaseObject_RotatingBitmap;
class DBaseObject_SolidTriangle;
class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_Meter : public DCompositeObject {
public:
    // The words of target::MeterClassData.
    using Words = target::MeterWords;
    // Direction 1 turns the needle clockwise with growing values; any other counterclockwise.
    static constexpr uint32_t kClockwise = uint32_t(target::TurnDirection::Clockwise);

    DCompositeObject_Meter();
    ~DCompositeObject_Meter() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

    // The needle's angle from its start, in radians along the sweep.
    double needleAngle() const { return m_angle; }
    double sweep() const { return m_sweep; }
    const DValueAlarms& alarms() const { return m_alarms; }
    DBaseObject* needle() const { return m_needle; }

private:
    void setNeedleAngle(double angle);

    uint32_t m_direction = kClockwise;
    double m_start = 0;
    double m_sweep = 0;
    double m_angle = 0;
    DPoint m_pivot{};
    DPoint m_needlePivot{};
    int32_t m_baseWidth = 0;
    int32_t m_length = 0;
    int32_t m_tipRadius = 0;
    DScaledValue m_scale;
    DItemDescriptor m_tag;
    DValueAlarms m_alarms;
    std::unique_ptr<DBitmap> m_dialImage;
    std::unique_ptr<DBitmap> m_needleImage;
    DBaseObject* m_needle = nullptr;
    DBaseObject_RotatingBitmap* m_rotatingNeedle = nullptr;
    DBaseObject_SolidTriangle* m_triangleNeedle = nullptr;
    DBaseObject_UnscaledBitmap* m_dial = nullptr;
};
