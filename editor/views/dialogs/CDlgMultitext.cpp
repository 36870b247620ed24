#include "editor/views/dialogs/CDlgMultitext.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>

CDlgMultitext::CDlgMultitext(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Dialog"));
    m_edit = new QPlainTextEdit(text, this);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addWidget(buttons);
}

QString CDlgMultitext::Text() const { return m_edit->toPlainText(); }
