#include "editor/views/properties/DPropText.h"

#include <QLineEdit>
#include <QSignalBlocker>

QWidget* DPropText::MakeEditor(QWidget* parent)
{
    m_edit = new QLineEdit(parent);
    m_edit->setFrame(false);
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) { UserChanged(ValueOf(text)); });
    connect(m_edit, &QLineEdit::editingFinished, this, [this] { OnEndEdit(); });
    return m_edit;
}

void DPropText::ShowValue()
{
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(QString::fromStdU16String(GetValue().Text()));
}

void DPropText::SetEditable(bool editable)
{
    m_edit->setReadOnly(!editable);
}

CPropertyValue DPropText::ValueOf(const QString& text) const
{
    return CPropertyValue(text.toStdU16String());
}
