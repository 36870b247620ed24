#pragma once
// A text of several lines: typed, or edited in the multi-line text dialog.

#include "editor/views/properties/DPropButton.h"

class DPropMultiText : public DPropButton {
public:
    using DPropButton::DPropButton;

    void OnClickButton() override;
};
