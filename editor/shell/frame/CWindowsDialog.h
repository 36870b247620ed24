#pragma once
// "Windows...": the open page windows by title; the chosen one is activated, or the
// chosen ones are closed.

#include <QDialog>

class CPageWindowList;
class QListWidget;

class CWindowsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Windows";

    CWindowsDialog(CPageWindowList& windows, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    // The chosen window becomes the active one and the dialog ends.
    void ActivateChosen();
    // The chosen windows close; the list follows.
    void CloseChosen();

private:
    void Fill();

    CPageWindowList& m_windows;
    QListWidget* m_list = nullptr;
};
