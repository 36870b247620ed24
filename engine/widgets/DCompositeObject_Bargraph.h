#pragma once
// A bar that fills its rectangle in proportion to a tag value, growing from one side,
// over or under a frame picture; fires the low and high alarm triggers. The image bar
// (type 12) shows a part of its fill picture, the colour bar (type 13) a solid colour.

#include <cstdint>
#include <memory>

#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DScaledValue.h"
#include "engine/widgets/DValueAlarms.h"
#include "foundation/target/TargetBarGraphWords.h"

class DBaseObject_SolidRect;
class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_Bargraph : public DCompositeObject {
public:
    // The words of target::BarGraphClassData.
    using Words = target::BarGraphWords;
    // Where the bar grows to from its start edge.
    enum Direction : uint32_t {
        Right = uint32_t(target::GrowthDirection::Right),
        Left = uint32_t(target::GrowthDirection::Left),
        Down = uint32_t(target::GrowthDirection::Down),
        Up = uint32_t(target::GrowthDirection::Up),
    };

    DCompositeObject_Bargraph();
    ~DCompositeObject_Bargraph() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

    DBaseObject* bar() const { return m_bar; }
    const DValueAlarms& alarms() const { return m_alarms; }

private:
    // The bar's visible part for the scaled value s.
    void setBar(int32_t s);

    uint32_t m_direction = 0;
    uint32_t m_colour = 0;
    DScaledValue m_scale;
    DItemDescriptor m_tag;
    DValueAlarms m_alarms;
    std::unique_ptr<DBitmap> m_frameImage;
    std::unique_ptr<DBitmap> m_barImage;
    DBaseObject* m_bar = nullptr;
    DBaseObject_SolidRect* m_colourBar = nullptr;
    DBaseObject_UnscaledBitmap* m_imageBar = nullptr;
    DBaseObject_UnscaledBitmap* m_frame = nullptr;
};
