#pragma once
// A bar that fills its rectangle in proportion to a tag value, growing from one side,
// over or under a frame picture; fires the low and high alarm triggers. The image bar
// (type 12) shows a part of its fill picture, the colour bar (type 13) a solid colour.

#include <cstdint>
#include <memory>

#include "engine/DCompositeObject.h"
#include "engine/DScaledValue.h"
#include "engine/DScaledWords.h"
#include "engine/DValueAlarms.h"

class DBaseObject_SolidRect;
class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_Bargraph : public DCompositeObject {
public:
    // The class words before the value tag; the bar and the frame records follow the tag.
    struct Words : DAlarmedScaledWords<12> {
        static constexpr uint32_t kSize = 40;
        static constexpr uint32_t kFrameImageOffset = 0;
        static constexpr uint32_t kBarOffset = 4;   // image offset (image bar) or ARGB colour (colour bar)
        static constexpr uint32_t kDirectionOffset = 8;

        uint32_t frameImage = 0;
        uint32_t bar = 0;
        uint32_t direction = 0;

        template <class Self, class F>
        static void describe(Self& r, F&& field)
        {
            field(kFrameImageOffset, r.frameImage);
            field(kBarOffset, r.bar);
            field(kDirectionOffset, r.direction);
            describeScale(r, field);
        }
    };
    // Where the bar grows to from its start edge.
    enum Direction : uint32_t { Right = 1, Left = 2, Down = 3, Up = 4 };

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
