#pragma once
// One of several fixed messages, chosen by a tag value like a dynamic image's pictures;
// the compiler renders each message into a picture. A frame picture may lie under it.

#include <memory>

#include "engine/widgets/DCompositeObject_DynamicImage.h"

class DBitmap;

class DCompositeObject_MessageField : public DCompositeObject_DynamicImage {
public:
    DCompositeObject_MessageField();
    ~DCompositeObject_MessageField() override;
    int load(DFile& file) override;
    void show() override;

private:
    std::unique_ptr<DBitmap> m_frameImage; // the editor writes none
    DBaseObject_UnscaledBitmap* m_framePicture = nullptr; // the editor writes a placeholder
};
