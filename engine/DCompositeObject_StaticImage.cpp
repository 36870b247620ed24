#include "engine/DCompositeObject_StaticImage.h"

#include "engine/DBaseObject_UnscaledBitmap.h"
#include "engine/DBitmap.h"
#include "engine/DFile.h"
#include "engine/DImageSet.h"
#include "engine/DProject.h"
#include "foundation/target/TargetImageWords.h"

DCompositeObject_StaticImage::DCompositeObject_StaticImage() = default;
DCompositeObject_StaticImage::~DCompositeObject_StaticImage() = default;

int DCompositeObject_StaticImage::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::StaticImageWords words;
    const int status = target::readRecordWords(file, words);
    DImageSet::referTo(m_image, file, words.image);
    m_picture = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    return status;
}

void DCompositeObject_StaticImage::show()
{
    if (m_picture)
        m_picture->setBitmap(m_image.get());
}
