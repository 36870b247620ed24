#include "editor/shell/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const QString& picturePath, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* columns = new QHBoxLayout;
    const QPixmap picture(picturePath);
    if (!picture.isNull()) {
        auto* icon = new QLabel(this);
        icon->setPixmap(picture);
        icon->setAlignment(Qt::AlignTop);
        columns->addWidget(icon);
    }
    auto* lines = new QVBoxLayout;
    m_version = new QLabel(QStringLiteral("VX-Editor version " VX_EDITOR_VERSION), this);
    lines->addWidget(m_version);
    lines->addWidget(new QLabel(tr("Designs operator panel projects and compiles them for VX-Engine."), this));
    m_link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromLatin1(kLinkUrl)), this);
    m_link->setOpenExternalLinks(true);
    m_link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    lines->addWidget(m_link);
    lines->addStretch();
    columns->addLayout(lines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionLine() const { return m_version->text(); }

QString CAboutDlg::LinkText() const { return m_link->text(); }
