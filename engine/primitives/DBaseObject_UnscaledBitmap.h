#pragma once
// A bitmap drawn at its natural size from the primitive's top-left corner. The kinds
// that compute a picture draw it through this one.

#include "engine/primitives/DBaseObject.h"

class DBaseObject_UnscaledBitmap : public DBaseObject {
public:
    using DBaseObject::DBaseObject;
    void draw(DRenderer& renderer, const DRect& dirty) override;
    void resolveBitmap(DRenderer& renderer) override;
    DBitmap* bitmap() const { return m_bitmap; }
    // Borrows the bitmap (the widget owns its image references).
    void setBitmap(DBitmap* bitmap);

protected:
    DBitmap* m_bitmap = nullptr;
};
