#pragma once
// A lamp: a frame with one of several state pictures chosen by a tag, and two overlays
// (the editor's icon and text). It takes no input of its own.

#include <memory>

#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DImageSet.h"

class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_IndicatorLight : public DCompositeObject {
public:
    DCompositeObject_IndicatorLight();
    ~DCompositeObject_IndicatorLight() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

private:
    DBaseObject_UnscaledBitmap* m_framePicture = nullptr;
    DBaseObject_UnscaledBitmap* m_statePicture = nullptr;
    DBaseObject_UnscaledBitmap* m_overlay1Picture = nullptr;
    DBaseObject_UnscaledBitmap* m_overlay2Picture = nullptr;
    std::unique_ptr<DBitmap> m_frameImage;
    DImageSet m_stateImages;
    std::unique_ptr<DBitmap> m_overlay1Image;
    std::unique_ptr<DBitmap> m_overlay2Image;
    DItemDescriptor m_tag;
};
