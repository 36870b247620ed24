#include "editor/views/properties/DPropInt.h"

#include <QIntValidator>
#include <QLineEdit>

QWidget* DPropInt::MakeEditor(QWidget* parent)
{
    QWidget* editor = DPropText::MakeEditor(parent);
    LineEdit()->setValidator(new QIntValidator(LineEdit()));
    return editor;
}

CPropertyValue DPropInt::ValueOf(const QString& text) const
{
    return CPropertyValue(int32_t(text.toInt()));
}
