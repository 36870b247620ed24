#pragma once
// A pre-rendered text strip that moves sideways through its rectangle at a fixed speed,
// once across (clamped) or round and round (wrapping).

#include <memory>

#include "engine/render/DBitmap.h"
#include "engine/widgets/DCompositeObject.h"

class DBaseObject_ScrollingBitmap;

class DCompositeObject_Ticker : public DCompositeObject {
public:
    DCompositeObject_Ticker();
    ~DCompositeObject_Ticker() override;

    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void tick(uint32_t now) override;

    int64_t position() const { return m_position; }
    DBaseObject_ScrollingBitmap* scroller() const { return m_scroller; }

private:
    // The position after which the strip starts again.
    int64_t limit() const;

    int32_t m_speed = 0;
    uint32_t m_period = 0;
    uint32_t m_overflow = 0;
    std::unique_ptr<DBitmap> m_image;
    DBaseObject_ScrollingBitmap* m_scroller = nullptr;
    int64_t m_position = 0;
};
