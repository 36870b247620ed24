#pragma once
// The items with a browse button ("..."): a text beside the button, typed or, for the
// items edited by their dialog only, read-only.

#include <cstdint>

#include "editor/views/dialogs/CFileItem.h"
#include "editor/views/properties/DProp.h"

class CListDialog;

class QLineEdit;
class QToolButton;

// Whether the text may be typed or changes only through the button.
enum class Typing { Allowed, Refused };

class DPropButton : public DProp {
public:
    using DProp::DProp;

    QLineEdit* LineEdit() const { return m_edit; }
    QToolButton* Button() const { return m_button; }
    virtual void OnClickButton() = 0;
    virtual Typing GetTyping() const { return Typing::Allowed; }

protected:
    QWidget* MakeEditor(QWidget* parent) override;
    void ShowValue() override;
    void SetEditable(bool editable) override;
    // The button's result: shown and applied.
    void Take(std::u16string value);
    // Runs a list dialog and takes its result on OK.
    void RunListDialog(CListDialog& dialog);
    // A count the first selected item gives a list dialog: missing when it lacks the
    // property, 0 when empty, at most the largest count objects take.
    int64_t CountOf(std::u16string_view category, std::u16string_view caption, int64_t missing) const;
    // The list dialogs' folders: the project's, and the remembered images folder.
    CFileItem::Folders Folders() const;

private:
    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
};
