#pragma once
// What the slider and the knob share: a thumb over a track or dial picture that shows a
// tag value and, dragged, writes it back; the focused track picture; the record layout.
// The two differ only in how a position maps to the thumb's place and a point to a
// position.

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DScaledValue.h"
#include "foundation/target/TargetSliderWords.h"

class DBaseObject_UnscaledBitmap;
class DBitmap;

class DThumbWidget : public DCompositeObject {
public:
    // The words of target::SliderClassData.
    using Words = target::SliderWords;

    DThumbWidget();
    ~DThumbWidget() override;
    int load(DFile& file) final;
    void show() final;
    void hide() final;
    int setFocus(int on) final;
    void onPointerDown(DPoint point) final;
    void onPointerMove(DPoint point) final;
    void onValueChanged(DItem& item) final;

    DBaseObject_UnscaledBitmap* thumb() const { return m_thumb; }
    DBaseObject_UnscaledBitmap* track() const { return m_track; }
    const DScaledValue& scale() const { return m_scale; }

protected:
    // Fixes the geometry from the words and the two primitives (both exist).
    virtual void layout(const Words& words) = 0;
    // The next value moves the thumb, wherever it is.
    virtual void forgetPlace() = 0;
    // Moves the thumb to a position, 0 to the range (0 when there is no range).
    virtual void place(uint64_t position) = 0;
    // The rounded position under a point; none when the widget cannot be dragged.
    virtual std::optional<uint64_t> positionAt(DPoint point) const = 0;

    // extent x position / range, 0 without a range.
    int64_t share(int64_t extent, uint64_t position) const;

    uint32_t m_direction = 0;
    DScaledValue m_scale;
    DBaseObject_UnscaledBitmap* m_thumb = nullptr;
    DBaseObject_UnscaledBitmap* m_track = nullptr;

private:
    void drag(DPoint point);
    void showTrack();
    void write(uint64_t position);

    DItemDescriptor m_tag;
    std::unique_ptr<DBitmap> m_trackImage;
    std::unique_ptr<DBitmap> m_thumbImage;
    std::unique_ptr<DBitmap> m_focusedTrackImage;
};
