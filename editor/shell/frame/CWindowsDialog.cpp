#include "editor/shell/frame/CWindowsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/shell/frame/CPageWindowList.h"
#include "editor/views/page/CChildFramePage.h"
#include "editor/views/page/CChildViewPage.h"

CWindowsDialog::CWindowsDialog(CPageWindowList& windows, QWidget* parent) : QDialog(parent), m_windows(windows)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* activate = new QPushButton(QStringLiteral("&Activate"), this);
    auto* close = new QPushButton(QStringLiteral("&Close Window(s)"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* side = new QVBoxLayout;
    side->addWidget(activate);
    side->addWidget(close);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(side);
    connect(activate, &QPushButton::clicked, this, &CWindowsDialog::ActivateChosen);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CWindowsDialog::ActivateChosen);
    connect(close, &QPushButton::clicked, this, &CWindowsDialog::CloseChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    Fill();
}

void CWindowsDialog::Fill()
{
    m_list->clear();
    for (CChildFramePage* frame : m_windows.Frames())
        m_list->addItem(frame->windowTitle());
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void CWindowsDialog::ActivateChosen()
{
    const std::vector<CChildFramePage*> frames = m_windows.Frames();
    const int row = m_list->currentRow();
    if (row >= 0 && row < int(frames.size()))
        m_windows.Activate(frames[std::size_t(row)]->GetView().GetViewedPage());
    accept();
}

void CWindowsDialog::CloseChosen()
{
    const std::vector<CChildFramePage*> frames = m_windows.Frames();
    for (const QListWidgetItem* item : m_list->selectedItems())
        if (const int row = m_list->row(item); row >= 0 && row < int(frames.size()))
            m_windows.Close(frames[std::size_t(row)]->GetView().GetViewedPage());
    Fill();
}
