#pragma once
// A fixed picture (and the page background with an image).

#include <memory>

#include "engine/widgets/DCompositeObject.h"

class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_StaticImage : public DCompositeObject {
public:
    DCompositeObject_StaticImage();
    ~DCompositeObject_StaticImage() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override {}

private:
    std::unique_ptr<DBitmap> m_image;
    DBaseObject_UnscaledBitmap* m_picture = nullptr;
};
