#pragma once
// The page background without a picture: one colour over the whole page.

#include "engine/widgets/DCompositeObject.h"

class DBaseObject_SolidRect;

class DCompositeObject_Rectangle : public DCompositeObject {
public:
    int load(DFile& file) override;
    void show() override {}
    void hide() override {}

private:
    DBaseObject_SolidRect* m_area = nullptr;
};
