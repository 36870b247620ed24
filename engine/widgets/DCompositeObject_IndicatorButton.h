#pragma once
// A button that also shows one of several indicator pictures chosen by a third tag.

#include "engine/widgets/DCompositeObject_Button.h"
#include "engine/widgets/DImageSet.h"

class DCompositeObject_IndicatorButton : public DCompositeObject_Button {
public:
    DCompositeObject_IndicatorButton();
    ~DCompositeObject_IndicatorButton() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

private:
    DBaseObject_UnscaledBitmap* m_indicator = nullptr;
    DImageSet m_indicatorImages;
    DItemDescriptor m_indicatorTag;
};
