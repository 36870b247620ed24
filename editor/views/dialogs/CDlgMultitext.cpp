#include "editor/views/dialogs/CDlgMultitext.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "editor/views/dialogs/CDlgResizeLayout.h"

CDlgMultitext::CDlgMultitext(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Dialog"));
    setFixedSize(CDlgResizeLayout::DlgUnitsToPixels(kDialogUnits, *this).size());
    m_edit = new QPlainTextEdit(this);
    {
        const QSignalBlocker blocker(m_edit);
        m_edit->setPlainText(text);
    }
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kEditUnits, *this));
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    m_ok->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kOkUnits, *this));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setGeometry(CDlgResizeLayout::DlgUnitsToPixels(kCancelUnits, *this));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_edit->setFocus();
}

QString CDlgMultitext::Text() const { return m_edit->toPlainText(); }
