#include "engine/widgets/DCompositeObject_StaticText.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_StaticText::DCompositeObject_StaticText() = default;
DCompositeObject_StaticText::~DCompositeObject_StaticText() = default;

int DCompositeObject_StaticText::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::StaticTextWords words;
    const int status = target::readClassData(file, words).status;
    DImageSet::referTo(m_frameImage, file, words.frameImage);
    DImageSet::referTo(m_textImage, file, words.textImage);
    m_textPicture = DImageSet::asPicture(loadPrimitive(file));
    m_framePicture = DImageSet::asPicture(loadPrimitive(file));
    return status;
}

void DCompositeObject_StaticText::show()
{
    DImageSet::showImage(m_framePicture, m_frameImage.get());
    DImageSet::showImage(m_textPicture, m_textImage.get());
}
