#pragma once
// A message list, edited only in the "Message editor" with a row per message.

#include "editor/views/properties/DPropButton.h"

class DPropMessages : public DPropButton {
public:
    using DPropButton::DPropButton;

    void OnClickButton() override;
    Typing GetTyping() const override { return Typing::Refused; }
};
