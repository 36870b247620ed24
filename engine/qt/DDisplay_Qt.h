#pragma once
// The engine's window on the desktop: a main window whose client area has the panel's
// pixel size, with the "Project" and "Help" menus. The left mouse button stands in for
// the touch screen, the keyboard for the panel's keys. Closing the window or "Exit"
// ends the frame loop.

#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "engine/render/DDisplay.h"
#include "engine/core/DInputSink.h"
#include "engine/tagmonitor/qt/CTagsDialogSlot.h"

class DDisplay_Qt;

// The client area: shows the presented picture and turns input into panel events.
class DEngineCanvas : public QWidget {
    Q_OBJECT
public:
    explicit DEngineCanvas(DDisplay_Qt& display);
    QImage& image() { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    DDisplay_Qt& m_display;
    QImage m_image;
    bool m_leftDown = false;
};

class DEngineWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DEngineWindow(DDisplay_Qt& display);
    bool isClosed() const { return m_closed; }
    void quit() { m_closed = true; }
    DEngineCanvas* canvas() const { return m_canvas; }
    void setClientSize(int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DEngineCanvas* m_canvas;
    bool m_closed = false;
};

class DDisplay_Qt : public DDisplay, public DPresentTarget {
public:
    // Makes the renderer that draws for this display and presents to it.
    using RendererFactory = std::function<std::unique_ptr<DRenderer>(DPresentTarget&)>;

    DDisplay_Qt();
    ~DDisplay_Qt() override;

    void setRendererFactory(RendererFactory factory) { m_rendererFactory = std::move(factory); }
    // What "Tags..." (Ctrl+T) does instead of opening the tags dialog, for tests.
    void setTagsHandler(std::function<void()> handler) { m_tagsHandler = std::move(handler); }

    int open(DProject* project, int width, int height) override;
    void close() override;
    int setSize(DSize size) override;
    int processMessages() override;
    DBitmap* targetBitmap() override;
    DRenderer* renderer() override { return m_renderer.get(); }
    void presentPixels(const DBitmap& composed, const DRect& rect) override;

    DEngineWindow* window() const { return m_window.get(); }
    DProject* project() const { return m_project; }
    // Where pointer and keys go: the project, unless a test listens instead.
    DInputSink* input() const { return m_input; }
    void setInputSink(DInputSink* input) { m_input = input; }

    // Commands of the menu. The tags dialog shows the application's tag memory.
    void showTagsDialog();
    [[nodiscard]] CDlgTags* tagsDialog() const { return m_tagsDialog.dialog(); }
    void showAbout();
    void quit();

private:
    [[nodiscard]] int initRenderer();

    std::unique_ptr<DEngineWindow> m_window;
    DProject* m_project = nullptr;
    DInputSink* m_input = nullptr;
    std::unique_ptr<DRenderer> m_renderer;
    RendererFactory m_rendererFactory;
    std::function<void()> m_tagsHandler;
    CTagsDialogSlot m_tagsDialog;
};
