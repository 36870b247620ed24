#pragma once
// A colour list, edited only in the "Color editor" with a row per colour state.

#include "editor/views/properties/DPropButton.h"

class DPropColors : public DPropButton {
public:
    using DPropButton::DPropButton;

    void OnClickButton() override;
    Typing GetTyping() const override { return Typing::Refused; }
};
