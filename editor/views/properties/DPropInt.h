#pragma once
// An integer property: typed, and only digits with an optional sign are taken.

#include "editor/views/properties/DPropText.h"

class DPropInt : public DPropText {
public:
    using DPropText::DPropText;

protected:
    QWidget* MakeEditor(QWidget* parent) override;
    CPropertyValue ValueOf(const QString& text) const override;
};
