#pragma once
// A dial with a needle that points at a tag value between two angles; the needle is a
// turned picture or a drawn triangle. Fires the low and high alarm triggers.

#include <cstdint>
#include <memory>

#include "engine/DCompositeObject.h"
#include "engine/DScaledValue.h"
#include "engine/DScaledWords.h"
#include "engine/DValueAlarms.h"

class DBaseObject_RotatingBitmap;
class DBaseObject_SolidTriangle;
class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_Meter : public DCompositeObject {
public:
    // The class words before the value tag; the step word follows the tag, then the
    // needle and the dial records.
    struct Words : DAlarmedScaledWords<28> {
        static constexpr uint32_t kSize = 56;
        static constexpr uint32_t kDialImageOffset = 0;
        // Needle picture offset, or base width (bits 0-15) and length (bits 16-31) of a triangle.
        static constexpr uint32_t kNeedleOffset = 4;
        static constexpr uint32_t kNeedleColourOffset = 8;
        static constexpr uint32_t kDirectionOffset = 12;
        static constexpr uint32_t kAnglesOffset = 16;   // start (bits 0-15), end (bits 16-31), degrees
        static constexpr uint32_t kPivotOffset = 20;    // the turning point inside the needle primitive
        // The pivot inside the needle picture, or (bits 16-31) a triangle's tip radius.
        static constexpr uint32_t kNeedlePivotOffset = 24;

        uint32_t dialImage = 0;
        uint32_t needle = 0;
        uint32_t needleColour = 0;
        uint32_t direction = 1;
        uint32_t angles = 0;
        uint32_t pivot = 0;
        uint32_t needlePivot = 0;

        template <class Self, class F>
        static void describe(Self& r, F&& field)
        {
            field(kDialImageOffset, r.dialImage);
            field(kNeedleOffset, r.needle);
            field(kNeedleColourOffset, r.needleColour);
            field(kDirectionOffset, r.direction);
            field(kAnglesOffset, r.angles);
            field(kPivotOffset, r.pivot);
            field(kNeedlePivotOffset, r.needlePivot);
            describeScale(r, field);
        }
    };
    // Direction 1 turns the needle clockwise with growing values; any other counterclockwise.
    static constexpr uint32_t kClockwise = 1;

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
