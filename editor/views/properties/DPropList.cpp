#include "editor/views/properties/DPropList.h"

#include <QLineEdit>
#include <QPointer>
#include <algorithm>
#include <QSignalBlocker>

#include "editor/document/CPropertyBase.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/properties/DPropCombo.h"

namespace {

bool isLetter(char16_t c)
{
    return QChar(c).isLetter();
}

std::u16string trimmed(const std::u16string& text)
{
    return QString::fromStdU16String(text).trimmed().toStdU16String();
}

} // namespace

DPropList::DPropList(CEditorHost& host, std::shared_ptr<DPropSelection> selection, std::u16string_view category,
                     const CPropertyBase& property, CPropertyValue value, ValueState state)
    : DProp(host, std::move(selection), category, property, std::move(value), state),
      m_source(property.GetOptionsText())
{
}

DPropListContext DPropList::Context() const
{
    return {Host().GetProject(), First(), GetName()};
}

QWidget* DPropList::MakeEditor(QWidget* parent)
{
    m_combo = new DPropCombo(
        [self = QPointer<DPropList>(this)] {
            if (self && !self->IsRetired())
                self->OnEdit();
        },
        parent);
    m_combo->setEditable(m_source == DPropListSource::kTags);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    FillOptions();
    connect(m_combo, &QComboBox::activated, this,
            [this](int index) { OnCloseCombo(m_combo->itemText(index).toStdU16String()); });
    if (QLineEdit* edit = m_combo->lineEdit()) {
        connect(edit, &QLineEdit::textEdited, this,
                [this](const QString& text) { UserChanged(CPropertyValue(text.toStdU16String())); });
        connect(edit, &QLineEdit::editingFinished, this, [this] { OnEndEdit(); });
    }
    return m_combo;
}

void DPropList::FillOptions()
{
    const QSignalBlocker blocker(m_combo);
    const QString shown = m_combo->currentText();
    m_combo->clear();
    for (const std::u16string& option : DPropListSource::Options(m_source, Context()))
        m_combo->addItem(QString::fromStdU16String(option));
    if (m_combo->isEditable())
        m_combo->setEditText(shown);
}

void DPropList::ShowValue()
{
    FillOptions();
    const QSignalBlocker blocker(m_combo);
    const QString text = QString::fromStdU16String(GetValue().Text());
    if (m_combo->isEditable()) {
        m_combo->setCurrentIndex(-1);
        m_combo->setEditText(text);
    } else {
        m_combo->setCurrentIndex(IsMixed() ? -1 : m_combo->findText(text));
    }
}

void DPropList::OnEdit()
{
    if (GetValue().Text() == DPropListSource::kNewTagMarker) {
        // The user now types the new tag's name.
        ChangeValue(CPropertyValue(u""));
        m_newTagPending = true;
        if (m_combo) {
            const QSignalBlocker blocker(m_combo);
            m_combo->setEditText(QString());
        }
        return;
    }
    m_newTagPending = false;
    if (m_combo && (m_source == DPropListSource::kDateTime || m_source == DPropListSource::kTags))
        FillOptions();
}

void DPropList::OnCloseCombo(const std::u16string& chosen)
{
    if (chosen == DPropListSource::kNewTag) {
        ChangeValue(CPropertyValue(DPropListSource::kNewTagMarker));
        OnEdit();
        if (m_combo && m_combo->lineEdit())
            m_combo->lineEdit()->setFocus(Qt::OtherFocusReason);
        return;
    }
    UserChanged(CPropertyValue(chosen));
    EndEdit();
}

void DPropList::OnEndEdit()
{
    if (IsRetired() || (IsMixed() && !m_newTagPending && !IsEdited()))
        return;
    if (m_newTagPending && GetValue().Text().empty())
        return;
    EndEdit();
}

void DPropList::EndEdit()
{
    if (IsRetired())
        return;
    const DPropListContext context = Context();
    std::u16string text = GetValue().Text();
    std::u16string stored;
    if (m_source == DPropListSource::kTags) {
        if (text == DPropListSource::kNoTag)
            text.clear();
        text = trimmed(text);
        if (!text.empty() && isLetter(text.front())) {
            if (m_newTagPending) {
                std::replace(text.begin(), text.end(), u' ', u'_');
                stored = DPropListSource::CreateTag(text, context);
                Host().RefreshTagsGrid();
            } else {
                stored = DPropListSource::ToStored(m_source, text, context);
            }
        }
        m_newTagPending = false;
    } else {
        stored = DPropListSource::ToStored(m_source, text, context);
    }
    ChangeValue(CPropertyValue(DPropListSource::ToDisplay(m_source, stored, context)));
    ApplyToSelection(stored);
    ShowValue();
}
