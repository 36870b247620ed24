#pragma once
// A file path in a grid cell with a browse button. The chosen file is kept relative to
// the project's folder when it can be (the full path when the project has no folder
// yet), and its folder is remembered as the images folder.

#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

class CFileItem : public QWidget {
    Q_OBJECT
public:
    struct Folders {
        QString projectFolder;                     // empty while the project is not saved
        std::function<QString()> imagesFolder;     // where browsing starts
        std::function<void(const QString&)> rememberImagesFolder;
    };

    CFileItem(const QString& path, Folders folders, QWidget* parent = nullptr);

    QString Path() const;
    void SetPath(const QString& path);
    QToolButton* Button() const { return m_button; }
    // Browses for an existing file.
    void OnClickButton();

    // chosen relative to folder, or chosen itself when folder is empty.
    static QString RelativeTo(const QString& folder, const QString& chosen);

signals:
    void PathChanged(const QString& path);

private:
    Folders m_folders;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
};
