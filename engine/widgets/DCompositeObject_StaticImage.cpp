#include "engine/widgets/DCompositeObject_StaticImage.h"

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/core/DProject.h"
#include "foundation/target/TargetImageWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_StaticImage::DCompositeObject_StaticImage() = default;
DCompositeObject_StaticImage::~DCompositeObject_StaticImage() = default;

int DCompositeObject_StaticImage::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::StaticImageWords words;
    const int status = target::readClassData(file, words).status;
    DImageSet::referTo(m_image, file, words.image);
    m_picture = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    return status;
}

void DCompositeObject_StaticImage::show()
{
    if (m_picture)
        m_picture->setBitmap(m_image.get());
}
