#include "editor/views/page/CChildFramePage.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "diagram/CommandId.h"
#include "diagram/view/DDiagramView.h"
#include "editor/project/page/CPage.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/page/CChildViewPage.h"

namespace {

QString toQString(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

} // namespace

CChildFramePage::CChildFramePage(CEditorHost& host, CPageViewEnvironment& environment, CPage& page, QWidget* parent)
    : QWidget(parent), m_host(host), m_view(new CChildViewPage(host, environment, page, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusPolicy(Qt::StrongFocus);
    UpdateFrameText();
    m_commands.add(ToInt(CommandId::ClosePageFrame), [this] { CloseFrame(); });
}

CChildFramePage::~CChildFramePage() = default;

void CChildFramePage::ActivateFrame()
{
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
        window->showMaximized();
    else
        showMaximized();
}

void CChildFramePage::UpdateFrameText()
{
    const QString text = toQString(m_view->GetViewedPage().GetName());
    setWindowTitle(text);
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
        window->setWindowTitle(text);
}

void CChildFramePage::OnSetFocus()
{
    m_view->GetCanvas().setFocus(Qt::OtherFocusReason);
    if (const CPage* page = m_view->GetPage()) {
        m_view->PushViewSettings();
        m_host.SelectPageInProjectTree(page->GetName());
    }
    // A page not attached yet has no history: the lists show none.
    m_host.RefreshUndoLists();
}

void CChildFramePage::CloseFrame()
{
    if (m_closing)
        return;
    m_closing = true;
    // The page takes its objects back at once, so the page may go right after; the
    // window itself goes later, never inside the handler that asked.
    emit frameClosing(this);
    m_view->OnDestroy();
    QWidget* window = qobject_cast<QMdiSubWindow*>(parentWidget());
    (window ? window : this)->deleteLater();
}

void CChildFramePage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    OnSetFocus();
}

void CChildFramePage::closeEvent(QCloseEvent* event)
{
    // Closed by its window's own button: the page takes its objects back now.
    if (!m_closing) {
        m_closing = true;
        emit frameClosing(this);
    }
    m_view->OnDestroy();
    event->accept();
}
