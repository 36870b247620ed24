#include "editor/views/properties/DPropButton.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

#include "editor/document/CPropertyBase.h"
#include "editor/document/CSelectable.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/project/document/CProject.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/dialogs/CListDialog.h"

QWidget* DPropButton::MakeEditor(QWidget* parent)
{
    auto* editor = new QWidget(parent);
    auto* layout = new QHBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(editor);
    m_edit->setFrame(false);
    m_edit->setReadOnly(GetTyping() == Typing::Refused);
    m_button = new QToolButton(editor);
    m_button->setText(QStringLiteral("..."));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    connect(m_edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { UserChanged(CPropertyValue(text.toStdU16String())); });
    connect(m_edit, &QLineEdit::editingFinished, this, [this] { OnEndEdit(); });
    connect(m_button, &QToolButton::clicked, this, [this] {
        if (!IsRetired())
            OnClickButton();
    });
    return editor;
}

void DPropButton::ShowValue()
{
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(QString::fromStdU16String(GetValue().Text()));
}

void DPropButton::SetEditable(bool editable)
{
    m_edit->setReadOnly(!editable || GetTyping() == Typing::Refused);
    m_button->setEnabled(editable);
}

void DPropButton::Take(std::u16string value)
{
    UserChanged(CPropertyValue(std::move(value)));
    ApplyToSelection();
    ShowValue();
}

void DPropButton::RunListDialog(CListDialog& dialog)
{
    if (RunDialog(dialog) == QDialog::Accepted)
        Take(dialog.Result());
}

int64_t DPropButton::CountOf(std::u16string_view category, std::u16string_view caption, int64_t missing) const
{
    const CSelectable* first = First();
    const CPropertyBase* property = first ? first->FindProperty(category, caption) : nullptr;
    if (!property)
        return missing;
    return std::clamp<int64_t>(property->GetInt(), 0, CObjectProperty::kMaxCount);
}

CFileItem::Folders DPropButton::Folders() const
{
    CEditorHost& host = Host();
    const CProject* project = host.GetProject();
    CFileItem::Folders folders;
    if (project && !project->GetFullPath().empty())
        folders.projectFolder = QString::fromStdString(project->GetFolder().string());
    folders.imagesFolder = [&host] { return QString::fromStdString(host.GetImagesFolder().string()); };
    folders.rememberImagesFolder = [&host](const QString& folder) {
        host.SetImagesFolder(std::filesystem::path(folder.toStdString()));
    };
    return folders;
}
