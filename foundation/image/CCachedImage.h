#pragma once
// An image with a rescaled copy kept beside it, so that an object drawn at another size
// is not rescaled at every paint. The copy is always made from the image itself, never
// from an earlier copy, and is dropped whenever the image changes.

#include "foundation/image/CWinFreeImage.h"

class CCachedImage : public CWinFreeImage {
public:
    // While the view resizes objects, an old copy may be stretched instead of rescaled.
    enum class StaleCopy { Refresh, Allow };

    void Unload() override;
    // Draws at (x, y), width by height (-1: the image's own). True when a copy of
    // another size was stretched, so the caller should ask for a fresh picture.
    bool DrawScaled(gfx::DeviceContext& dc, StaleCopy stale, int x, int y, int width = -1, int height = -1);
    const CWinFreeImage& scaledCopy() const { return m_scaled; }

protected:
    void OnImageChanged() override;

private:
    CWinFreeImage m_scaled;
};
