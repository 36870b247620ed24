#pragma once
// A picture chosen from a list by a tag value.

#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DImageSet.h"

class DBaseObject_UnscaledBitmap;

class DCompositeObject_DynamicImage : public DCompositeObject {
public:
    DCompositeObject_DynamicImage();
    ~DCompositeObject_DynamicImage() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

protected:
    DImageSet m_images;
    DItemDescriptor m_tag;
    DBaseObject_UnscaledBitmap* m_picture = nullptr;
};
