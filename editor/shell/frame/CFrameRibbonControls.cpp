#include "editor/shell/frame/CFrameRibbonControls.h"

#include <QComboBox>
#include <QLineEdit>

#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

// 0xBBGGRR, as the properties keep colours.
uint32_t toStored(const QColor& colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

QColor fromStored(uint32_t colour) { return QColor(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF)); }

QLineEdit* editOf(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit;
    auto* combo = qobject_cast<QComboBox*>(widget);
    return combo ? combo->lineEdit() : nullptr;
}

} // namespace

std::u16string CFrameRibbonControls::GetText(CommandId control) const
{
    return m_bar ? m_bar->ControlText(ToInt(control)).toStdU16String() : std::u16string();
}

void CFrameRibbonControls::SetText(CommandId control, std::u16string_view text)
{
    if (m_bar)
        m_bar->SetControlText(ToInt(control), QString::fromUtf16(text.data(), qsizetype(text.size())));
}

uint32_t CFrameRibbonControls::GetColour(CommandId control) const
{
    return m_bar ? toStored(m_bar->ControlColour(ToInt(control))) : 0;
}

void CFrameRibbonControls::SetColour(CommandId control, uint32_t colour)
{
    if (m_bar)
        m_bar->SetControlColour(ToInt(control), fromStored(colour));
}

int32_t CFrameRibbonControls::GetPosition(CommandId control) const
{
    return m_bar ? m_bar->ControlValue(ToInt(control)) : 0;
}

void CFrameRibbonControls::SetPosition(CommandId control, int32_t position)
{
    if (m_bar)
        m_bar->SetControlValue(ToInt(control), position);
}

int32_t CFrameRibbonControls::GetChosenIndex(CommandId control) const
{
    // A list of steps (undo, redo): its k-th entry ran the command for k + 1 steps.
    if (const CRibbonCommand* command = m_bar ? m_bar->FindCommand(ToInt(control)) : nullptr;
        command && command->actionList == RibbonActionList::Steps)
        return m_bar->ActionSteps(ToInt(control)) - 1;
    const QVariant data = m_bar ? m_bar->ControlData(ToInt(control)) : QVariant();
    return data.isValid() ? data.toInt() : -1;
}

bool CFrameRibbonControls::HasFocus(CommandId control) const
{
    if (!m_bar)
        return false;
    for (QWidget* widget : m_bar->ControlWidgets(ToInt(control)))
        if (widget->hasFocus() || (editOf(widget) && editOf(widget)->hasFocus()))
            return true;
    return false;
}

bool CFrameRibbonControls::IsHighlighted(CommandId control) const
{
    if (!m_bar)
        return false;
    for (QWidget* widget : m_bar->ControlWidgets(ToInt(control)))
        if (QLineEdit* edit = editOf(widget); edit && edit->hasSelectedText())
            return true;
    return false;
}
