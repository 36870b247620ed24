#pragma once
// A long text edited in a dialog of its own: the caller sets the text, runs the dialog,
// and takes the text back on OK.

#include <QDialog>

class QPlainTextEdit;

class CDlgMultitext : public QDialog {
    Q_OBJECT
public:
    explicit CDlgMultitext(const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    QPlainTextEdit* Edit() const { return m_edit; }

private:
    QPlainTextEdit* m_edit = nullptr;
};
