#pragma once
// A file property: a path relative to the project's folder, typed or browsed for.

#include "editor/views/properties/DPropButton.h"

class DPropFile : public DPropButton {
public:
    using DPropButton::DPropButton;

    void OnClickButton() override;
};
