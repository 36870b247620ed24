#pragma once
// A string property, typed into a line edit.

#include "editor/views/properties/DProp.h"

class QLineEdit;
class QString;

class DPropText : public DProp {
public:
    using DProp::DProp;

    QLineEdit* LineEdit() const { return m_edit; }

protected:
    QWidget* MakeEditor(QWidget* parent) override;
    void ShowValue() override;
    void SetEditable(bool editable) override;
    // The value a typed text stands for.
    virtual CPropertyValue ValueOf(const QString& text) const;

private:
    QLineEdit* m_edit = nullptr;
};
