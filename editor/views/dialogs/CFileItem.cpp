#include "editor/views/dialogs/CFileItem.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include "platform/ui/Prompts.h"

CFileItem::CFileItem(const QString& path, Folders folders, QWidget* parent)
    : QWidget(parent), m_folders(std::move(folders))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(path, this);
    m_edit->setFrame(false);
    m_button = new QToolButton(this);
    m_button->setText(QStringLiteral("..."));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    connect(m_edit, &QLineEdit::textEdited, this, &CFileItem::PathChanged);
    connect(m_button, &QToolButton::clicked, this, &CFileItem::OnClickButton);
}

QString CFileItem::Path() const { return m_edit->text(); }

void CFileItem::SetPath(const QString& path)
{
    {
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(path);
    }
    emit PathChanged(path);
}

QString CFileItem::RelativeTo(const QString& folder, const QString& chosen)
{
    if (folder.isEmpty())
        return chosen;
    return QDir(folder).relativeFilePath(chosen);
}

void CFileItem::OnClickButton()
{
    m_button->setDown(true);
    Prompts::FileRequest request;
    request.title = tr("Choose a file");
    request.filters = {QLatin1String(Prompts::kAllFilesFilter)};
    request.folder = m_folders.imagesFolder ? m_folders.imagesFolder() : QString();
    request.mustExist = true;
    const auto chosen = Prompts::openFile(window(), request);
    m_button->setDown(false);
    if (chosen) {
        SetPath(RelativeTo(m_folders.projectFolder, *chosen));
        if (m_folders.rememberImagesFolder)
            m_folders.rememberImagesFolder(QFileInfo(*chosen).absolutePath());
    }
    m_edit->setFocus();
}
