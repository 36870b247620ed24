#include "editor/views/properties/DPropBool.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

enum Choice { kTrue = 0, kFalse = 1 };

} // namespace

QWidget* DPropBool::MakeEditor(QWidget* parent)
{
    m_combo = new QComboBox(parent);
    m_combo->addItems({QStringLiteral("True"), QStringLiteral("False")});
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        UserChanged(CPropertyValue(index == kTrue));
        OnEndEdit();
    });
    return m_combo;
}

void DPropBool::ShowValue()
{
    const QSignalBlocker blocker(m_combo);
    m_combo->setCurrentIndex(IsMixed() ? -1 : GetValue().ToBool() ? kTrue : kFalse);
}
