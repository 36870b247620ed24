#include "engine/qt/DDisplay_Qt.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "engine/DStatus.h"

DEngineWindow::DEngineWindow()
{
    setObjectName(QStringLiteral("VX-Engine_main"));
    setWindowTitle(QStringLiteral("VX-Engine"));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void DEngineWindow::setClientSize(int width, int height)
{
    setFixedSize(width, height);
}

void DEngineWindow::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    event->accept();
}

DDisplay_Qt::~DDisplay_Qt()
{
    close();
}

int DDisplay_Qt::open(DProject* project, int width, int height)
{
    m_project = project;
    m_window = new DEngineWindow();
    m_window->setClientSize(width, height);
    m_window->show();
    return DStatus::Ok;
}

void DDisplay_Qt::close()
{
    delete m_window.data();
    m_window = nullptr;
}

int DDisplay_Qt::processMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m_window && !m_window->isClosed() ? 1 : 0;
}
