#pragma once
// A file list, edited only in the "File editor" with a row per image.

#include "editor/views/properties/DPropButton.h"

class DPropFiles : public DPropButton {
public:
    using DPropButton::DPropButton;

    void OnClickButton() override;
    Typing GetTyping() const override { return Typing::Refused; }
};
