#pragma once
// Every message box and file choice of the programs goes through here. Tests install
// a handler with scripted answers, so nothing modal ever blocks a test.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace Prompts {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString caption;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

// The filter that offers every file: "*" also matches a name without a dot, which Qt's
// "*.*" would not.
inline constexpr char kAllFilesFilter[] = "All files (*)";

struct FileRequest {
    QString title;
    // "VX-Engine project (*.ddd)" style filters, in order.
    QStringList filters;
    QString folder;
    QString suggestedName;
    bool mustExist = true; // open: the file and its folder must exist
    bool askOverwrite = true; // save: ask before an existing file is chosen
};

class Handler {
public:
    virtual ~Handler() = default;
    virtual Answer message(QWidget* parent, const MessageRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) = 0;
};

Answer message(QWidget* parent, const MessageRequest& request);
std::optional<QString> openFile(QWidget* parent, const FileRequest& request);
std::optional<QString> saveFile(QWidget* parent, const FileRequest& request);

// Where a file dialog for folder opens: the folder, or its nearest parent that exists
// when it does not (yet); empty for an empty folder. Nothing is created.
QString StartFolder(const QString& folder);

// Replaces the handler (null restores the real dialogs); returns the previous one.
Handler* setHandler(Handler* handler);

} // namespace Prompts
