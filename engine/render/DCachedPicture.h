#pragma once
// The picture a primitive computes (a needle, a turned bitmap), of the primitive's size:
// made on the first draw and kept, so a frame only redraws it when its setter changed it.

#include <memory>

#include "engine/render/DBitmap.h"
#include "foundation/DGeometry.h"

class DPage;
class DRenderer;

class DCachedPicture {
public:
    // The picture for bounds, made when there is none yet (fresh is then set); null when
    // the bounds are empty or larger than the page could show, or there is no memory.
    DBitmap* ensure(DRenderer& renderer, const DRect& bounds, const DPage* page, bool& fresh);
    DBitmap* bitmap() const { return m_bitmap.get(); }

private:
    std::unique_ptr<DBitmap> m_bitmap;
    bool m_refused = false; // bounds that cannot be drawn are not tried again every frame
};
