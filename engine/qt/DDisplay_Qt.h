#pragma once
// The engine's window on the desktop: a main window of the panel's size. Closing it
// ends the frame loop.

#include <QMainWindow>
#include <QPointer>

#include "engine/DDisplay.h"

class DEngineWindow : public QMainWindow {
    Q_OBJECT
public:
    DEngineWindow();
    bool isClosed() const { return m_closed; }
    void setClientSize(int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_closed = false;
};

class DDisplay_Qt : public DDisplay {
public:
    DDisplay_Qt() = default;
    ~DDisplay_Qt() override;

    int open(DProject* project, int width, int height) override;
    void close() override;
    int processMessages() override;

    DEngineWindow* window() const { return m_window.data(); }

private:
    QPointer<DEngineWindow> m_window;
    DProject* m_project = nullptr;
};
