#pragma once
// The about box: the program's picture, name and version, a second line and a link.

#include <QDialog>

class QLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "About VX-Editor";
    // The link button's target.
    static constexpr const char* kLinkUrl = "https://corvane.example/vx-editor";

    // picturePath: the about picture drawn at build time; none shows no picture.
    explicit CAboutDlg(const QString& picturePath, QWidget* parent = nullptr);

    QString VersionLine() const;
    QString LinkText() const;

private:
    QLabel* m_version = nullptr;
    QLabel* m_link = nullptr;
};
