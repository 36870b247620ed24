#pragma once
// A boolean property, chosen as "True" or "False"; a mixed value shows neither.

#include "editor/views/properties/DProp.h"

class QComboBox;

class DPropBool : public DProp {
public:
    using DProp::DProp;

    QComboBox* Combo() const { return m_combo; }

protected:
    QWidget* MakeEditor(QWidget* parent) override;
    void ShowValue() override;

private:
    QComboBox* m_combo = nullptr;
};
