#pragma once
// A colour property (0xBBGGRR), chosen only: a palette, and "Other..." for any colour.
// A mixed value shows no colour.

#include <cstdint>

#include "editor/views/properties/DProp.h"

class QMenu;
class QToolButton;

class DPropColor : public DProp {
public:
    static constexpr int kPaletteColumns = 8;

    using DProp::DProp;

    QToolButton* Button() const { return m_button; }
    QMenu* Menu() const { return m_menu; }
    // A colour chosen by the user.
    void Choose(uint32_t color);
    // "Other...": the colour dialog.
    void ChooseOther();

protected:
    QWidget* MakeEditor(QWidget* parent) override;
    void ShowValue() override;

private:
    QToolButton* m_button = nullptr;
    QMenu* m_menu = nullptr;
};
