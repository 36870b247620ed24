#pragma once
// A line of text drawn from the target file's fonts; the edit text of entry fields.

#include "engine/DBaseObject_UnscaledBitmap.h"
#include "foundation/DString.h"

class DBaseObject_Text : public DBaseObject_UnscaledBitmap {
public:
    using DBaseObject_UnscaledBitmap::DBaseObject_UnscaledBitmap;

    // The cursor in code points while editing, -1 otherwise.
    int32_t cursor() const { return m_cursor; }

protected:
    int32_t m_cursor = -1;
};
