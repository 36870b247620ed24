#include "platform/ui/Prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace Prompts {
namespace {

// The dialog takes the folder and the proposed name apart: given a folder that does not
// exist, QFileDialog would propose its last part as the file name.
void prepare(QFileDialog& dialog, const FileRequest& request)
{
    if (const QString folder = StartFolder(request.folder); !folder.isEmpty())
        dialog.setDirectory(folder);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
}

class DialogHandler : public Handler {
public:
    Answer message(QWidget* parent, const MessageRequest& request) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(request.caption);
        box.setText(request.text);
        switch (request.icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::None: break;
        }
        switch (request.buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return request.buttons == Buttons::Ok ? Answer::Ok
                        : request.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
        }
    }

    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override
    {
        QFileDialog dialog(parent, request.title, QString(), request.filters.join(QStringLiteral(";;")));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        prepare(dialog, request);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    }

    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override
    {
        QFileDialog dialog(parent, request.title, QString(), request.filters.join(QStringLiteral(";;")));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askOverwrite);
        prepare(dialog, request);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    }
};

DialogHandler g_dialogs;
Handler* g_handler = &g_dialogs;

} // namespace

Answer message(QWidget* parent, const MessageRequest& request)
{
    return g_handler->message(parent, request);
}

std::optional<QString> openFile(QWidget* parent, const FileRequest& request)
{
    return g_handler->openFile(parent, request);
}

std::optional<QString> saveFile(QWidget* parent, const FileRequest& request)
{
    return g_handler->saveFile(parent, request);
}

QString StartFolder(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QString candidate = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo(candidate).isDir()) {
        const QString parent = QFileInfo(candidate).absolutePath();
        if (parent == candidate)
            return {};
        candidate = parent;
    }
    return candidate;
}

Handler* setHandler(Handler* handler)
{
    Handler* previous = g_handler;
    g_handler = handler ? handler : &g_dialogs;
    return previous;
}

} // namespace Prompts
