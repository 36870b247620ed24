#pragma once
// An invisible widget that fires its tag-change triggers whenever its tag takes a new value.

#include "engine/widgets/DCompositeObject.h"
#include "engine/tags/DValue.h"

class DCompositeObject_Trigger : public DCompositeObject {
public:
    DCompositeObject_Trigger();
    ~DCompositeObject_Trigger() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;

private:
    DItemDescriptor m_tag;
    DValue m_lastValue;
};
