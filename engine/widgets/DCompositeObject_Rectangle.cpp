#include "engine/widgets/DCompositeObject_Rectangle.h"

#include "engine/primitives/DBaseObject_SolidRect.h"
#include "engine/core/DFile.h"
#include "foundation/target/TargetPage.h"

int DCompositeObject_Rectangle::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::RectangleWords words;
    const int status = target::readRecordWords(file, words);
    m_area = dynamic_cast<DBaseObject_SolidRect*>(loadPrimitive(file));
    if (m_area) {
        m_area->setColour(words.color);
        m_area->invalidate(m_area->visibleRect());
    }
    return status;
}
