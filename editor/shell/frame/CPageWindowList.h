#pragma once
// The page windows in the main frame's page area: a page's window found, opened or
// activated, closed at once (its objects back in the page before anyone looks), and the
// command table's view and frame levels following the active window.

#include <QObject>
#include <string_view>
#include <vector>

#include "editor/views/panes/CPageWindows.h"

class CChildFramePage;
class CChildViewPage;
class CEditorHost;
class CPage;
class CPageViewEnvironment;
class CommandTable;
class QMdiArea;
class QMdiSubWindow;

class CPageWindowList : public QObject, public CPageWindows {
    Q_OBJECT
public:
    // All three outlive the list.
    CPageWindowList(QMdiArea& area, CommandTable& commands, CEditorHost& host, CPageViewEnvironment& environment);
    ~CPageWindowList() override;

    // The window showing page, or none.
    CChildFramePage* Find(const CPage& page) const;
    // The active (or, while the main window is inactive, the current) page window.
    CChildFramePage* Active() const;
    CChildViewPage* ActiveView() const;
    int Count() const;
    // The windows in the page area's order.
    std::vector<CChildFramePage*> Frames() const;

    // Activates page's window, or makes one and posts it the page attach; its view.
    CChildViewPage& Open(CPage& page);
    void Activate(const CPage& page);
    // The page takes its objects back now; the window goes once the current event is done.
    void Close(const CPage& page);
    // Every window closed as Close does.
    void CloseAll();

    // CPageWindows
    void SetPageWindowTitle(const CPage& page, std::u16string_view title) override;

private:
    static CChildFramePage* FrameOf(QMdiSubWindow* window);
    void CloseWindow(QMdiSubWindow* window);
    // The window after leaving (or, for the last, the one before) becomes active and
    // maximised, so no page window is left minimised.
    void ActivateNext(const QMdiSubWindow* leaving);
    // The command table's view and frame levels from the active window.
    void Route();
    void OnFrameClosing(CChildFramePage* frame);
    void OnFrameClosed(CChildFramePage* frame);

    QMdiArea& m_area;
    CommandTable& m_commands;
    CEditorHost& m_host;
    CPageViewEnvironment& m_environment;
};
