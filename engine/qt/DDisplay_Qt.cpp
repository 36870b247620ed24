#include "engine/qt/DDisplay_Qt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QLayout>
#include <QPainter>
#include <cstring>

#include "engine/core/DEngineServices.h"
#include "engine/tags/DController_Mem.h"
#include "engine/render/DBitmap.h"
#include "engine/core/DProject.h"
#include "engine/render/DRenderer.h"
#include "engine/core/DStatus.h"
#include "engine/qt/DKeyTranslation.h"
#include "platform/ui/Prompts.h"

DEngineCanvas::DEngineCanvas(DDisplay_Qt& display) : m_display(display)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void DEngineCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(event->rect(), Qt::black);
    else
        painter.drawImage(event->rect(), m_image, event->rect());
}

void DEngineCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_leftDown = true;
    if (DInputSink* input = m_display.input())
        input->onPointerDown({int32_t(event->position().x()), int32_t(event->position().y())});
}

void DEngineCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_leftDown || !(event->buttons() & Qt::LeftButton))
        return;
    if (DInputSink* input = m_display.input())
        input->onPointerMove({int32_t(event->position().x()), int32_t(event->position().y())});
}

void DEngineCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_leftDown)
        return;
    m_leftDown = false;
    if (DInputSink* input = m_display.input())
        input->onPointerUp({int32_t(event->position().x()), int32_t(event->position().y())});
}

void DEngineCanvas::keyPressEvent(QKeyEvent* event)
{
    // Repetition comes from the project's own key auto-repeat.
    if (event->isAutoRepeat())
        return;
    if (DInputSink* input = m_display.input())
        input->onKeyDown(translateKey(event->key(), event->text()));
}

void DEngineCanvas::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    if (DInputSink* input = m_display.input())
        input->onKeyUp(translateKey(event->key(), event->text()));
}

DEngineWindow::DEngineWindow(DDisplay_Qt& display) : m_canvas(new DEngineCanvas(display))
{
    setObjectName(QStringLiteral("VX-Engine_main"));
    setWindowTitle(QStringLiteral("VX-Engine"));
    setCentralWidget(m_canvas);

    QMenu* project = menuBar()->addMenu(QStringLiteral("Project"));
    QAction* tags = project->addAction(QStringLiteral("Tags..."));
    tags->setObjectName(QStringLiteral("tags"));
    tags->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    tags->setShortcutContext(Qt::ApplicationShortcut);
    connect(tags, &QAction::triggered, this, [&display] { display.showTagsDialog(); });
    project->addSeparator();
    QAction* exit = project->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("exit"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(exit, &QAction::triggered, this, [&display] { display.quit(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, [&display] { display.showAbout(); });
}

void DEngineWindow::setClientSize(int width, int height)
{
    m_canvas->setFixedSize(width, height);
    // No sizing border: the window follows its client area.
    setFixedSize(sizeHint());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

void DEngineWindow::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    event->accept();
}

DDisplay_Qt::DDisplay_Qt() = default;

DDisplay_Qt::~DDisplay_Qt()
{
    close();
}

int DDisplay_Qt::open(DProject* project, int width, int height)
{
    m_project = project;
    if (!m_input)
        m_input = project;
    m_size = {width > 0 ? width : m_size.width, height > 0 ? height : m_size.height};
    m_window = std::make_unique<DEngineWindow>(*this);
    m_window->setClientSize(m_size.width, m_size.height);
    m_window->show();
    m_window->canvas()->setFocus();
    if (initRenderer() != DStatus::Ok)
        return DStatus::Failed;
    if (m_project)
        (void)m_project->attach(m_renderer.get(), this);
    return m_window ? DStatus::Ok : DStatus::Failed;
}

int DDisplay_Qt::initRenderer()
{
    if (!m_rendererFactory)
        return DStatus::Ok;
    if (!m_renderer)
        m_renderer = m_rendererFactory(*this);
    if (!m_renderer)
        return DStatus::Failed;
    return m_renderer->init(this, m_project, m_size.width, m_size.height);
}

void DDisplay_Qt::close()
{
    m_tagsDialog.close();
    if (m_project)
        m_project->unload();
    if (m_renderer) {
        m_renderer->release();
        m_renderer.reset();
    }
    if (m_project)
        m_project->detachRenderer();
    m_window.reset();
}

int DDisplay_Qt::setSize(DSize size)
{
    if (!m_window || size.width <= 0 || size.height <= 0)
        return DStatus::Failed;
    if (m_renderer)
        m_renderer->release();
    m_size = size;
    m_window->setClientSize(size.width, size.height);
    m_window->canvas()->image() = QImage();
    return initRenderer();
}

int DDisplay_Qt::processMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m_window && !m_window->isClosed() ? 1 : 0;
}

DBitmap* DDisplay_Qt::targetBitmap()
{
    return m_renderer ? m_renderer->target() : nullptr;
}

void DDisplay_Qt::presentPixels(const DBitmap& composed, const DRect& rect)
{
    if (!m_window || !composed.pixels())
        return;
    QImage& image = m_window->canvas()->image();
    const DSize size = composed.size();
    if (image.size() != QSize(size.width, size.height))
        image = QImage(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    // The composed picture is opaque after the checkerboard; copy the changed rows only.
    if (!rect.meets(composed.bounds()))
        return;
    const DRect area = rect.intersected(composed.bounds());
    for (int32_t y = area.top; y <= area.bottom; ++y)
        std::memcpy(image.scanLine(y) + std::size_t(area.left) * 4, composed.row(y) + std::size_t(area.left) * 4,
                    std::size_t(area.width()) * 4);
    m_window->canvas()->update(QRect(area.left, area.top, int(area.width()), int(area.height())));
}

void DDisplay_Qt::showTagsDialog()
{
    if (m_tagsHandler) {
        m_tagsHandler();
        return;
    }
    const DEngineServices* services = m_project ? m_project->services() : nullptr;
    if (!services || !services->tagsFilePath())
        return;
    DController_Mem* memory = services->tagMemory();
    m_tagsDialog.show(*services->tagsFilePath(), [memory] {
        return memory ? CTagMemory{memory->image(), memory->imageSize()} : CTagMemory{};
    });
}

void DDisplay_Qt::showAbout()
{
    Prompts::message(m_window.get(), {QStringLiteral("VX-Engine"), QStringLiteral("VX-Engine version 1.50"),
                                Prompts::Icon::Information, Prompts::Buttons::Ok});
}

void DDisplay_Qt::quit()
{
    if (m_window)
        m_window->quit();
}
