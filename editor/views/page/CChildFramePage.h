#pragma once
// The window of one open page inside the main frame's page area: it holds the page's
// view, always shows maximised, and takes its window text from the page name. Command
// 163 closes it: the page takes its objects back at once, the window goes after the
// command's handler has returned.

#include <QWidget>

#include "platform/ui/CommandTable.h"

class CChildViewPage;
class CEditorHost;
class CPage;
class CPageViewEnvironment;

class CChildFramePage : public QWidget {
    Q_OBJECT
public:
    // The frame of page; the main frame posts the attach (GetView().PostRefreshPage).
    CChildFramePage(CEditorHost& host, CPageViewEnvironment& environment, CPage& page, QWidget* parent = nullptr);
    ~CChildFramePage() override;

    CChildViewPage& GetView() const { return *m_view; }
    // The frame level of the command table: command 163.
    const CommandTarget& GetCommandTarget() const { return m_commands; }

    // Shows the frame (and its sub-window) maximised, whatever was asked.
    void ActivateFrame();
    // The window text follows the page's name (the tab text).
    void UpdateFrameText();
    // The frame became the active one (its focus): the focus goes to the view, the
    // project tree selects the page and the ribbon's undo lists follow the view.
    void OnSetFocus();
    // The page is detached at once; the frame is deleted later, never inside the handler
    // that asks.
    void CloseFrame();
    // Closed (its page detached) and waiting to be deleted: not to be shown again.
    bool IsClosing() const { return m_closing; }

signals:
    // The frame is about to go: whoever routes commands to it lets go now.
    void frameClosing(CChildFramePage* frame);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CEditorHost& m_host;
    CChildViewPage* m_view; // a child widget: the frame's Qt children go with it
    CommandTarget m_commands;
    bool m_closing = false;
};
