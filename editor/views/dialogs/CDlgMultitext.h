#pragma once
// A long text edited in a dialog of its own: the caller sets the text, runs the dialog,
// and takes the text back on OK. Return keys go into the text; lines do not wrap.

#include <QDialog>
#include <QRect>

class QPlainTextEdit;
class QPushButton;

class CDlgMultitext : public QDialog {
    Q_OBJECT
public:
    // The template's measures in dialog units.
    static constexpr QRect kDialogUnits{0, 0, 186, 93};
    static constexpr QRect kEditUnits{7, 7, 115, 79};
    static constexpr QRect kOkUnits{129, 7, 50, 14};
    static constexpr QRect kCancelUnits{129, 24, 50, 14};

    explicit CDlgMultitext(const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    QPlainTextEdit* Edit() const { return m_edit; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QPlainTextEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
};
