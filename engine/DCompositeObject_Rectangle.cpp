#include "engine/DCompositeObject_Rectangle.h"

#include "engine/DBaseObject_SolidRect.h"
#include "engine/DFile.h"

int DCompositeObject_Rectangle::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    uint32_t colour = 0;
    const int status = readWord(file, colour);
    m_area = dynamic_cast<DBaseObject_SolidRect*>(loadPrimitive(file));
    if (m_area) {
        m_area->setColour(colour);
        m_area->invalidate(m_area->visibleRect());
    }
    return status;
}
