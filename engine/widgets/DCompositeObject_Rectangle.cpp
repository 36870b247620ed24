#include "engine/widgets/DCompositeObject_Rectangle.h"

#include "engine/primitives/DBaseObject_SolidRect.h"
#include "engine/core/DFile.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetClassData.h"

int DCompositeObject_Rectangle::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::RectangleWords words;
    const int status = target::readClassData(file, words).status;
    m_area = dynamic_cast<DBaseObject_SolidRect*>(loadPrimitive(file));
    if (m_area) {
        m_area->setColour(words.color);
        m_area->invalidate(m_area->visibleRect());
    }
    return status;
}
