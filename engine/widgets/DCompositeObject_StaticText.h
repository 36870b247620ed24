#pragma once
// A fixed text: the editor's compiler renders it into a picture, so it is an image widget.

#include <memory>

#include "engine/widgets/DCompositeObject.h"

class DBaseObject_UnscaledBitmap;
class DBitmap;

class DCompositeObject_StaticText : public DCompositeObject {
public:
    DCompositeObject_StaticText();
    ~DCompositeObject_StaticText() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override {}

private:
    std::unique_ptr<DBitmap> m_frameImage; // image A; the editor writes none
    std::unique_ptr<DBitmap> m_textImage;  // image B
    DBaseObject_UnscaledBitmap* m_textPicture = nullptr;
    DBaseObject_UnscaledBitmap* m_framePicture = nullptr; // the editor writes a placeholder
};
