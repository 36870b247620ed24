#pragma once
// The drop-down of a list property: tells its item when the list opens, so options
// that depend on other values are made afresh.

#include <QComboBox>
#include <functional>

class DPropCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DPropCombo(std::function<void()> onEdit, QWidget* parent = nullptr)
        : QComboBox(parent), m_onEdit(std::move(onEdit))
    {
    }

    void showPopup() override
    {
        if (m_onEdit)
            m_onEdit();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_onEdit;
};
