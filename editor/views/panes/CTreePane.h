#pragma once
// What the project and objects panes share: a pane tree filling the pane, the tree's
// notifications turned into the pane's handlers, commands posted to the main frame
// through the command table, and the context menu shown last.

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <span>

#include "editor/views/panes/PaneMenu.h"

class CEditorHost;
class CommandTable;
class CPaneTree;
class QTreeWidgetItem;

class CTreePane : public QWidget {
    Q_OBJECT
public:
    ~CTreePane() override;

    CPaneTree* Tree() const { return m_tree; }
    // The context menu a right click opened, while it is open.
    QMenu* OpenMenu() const { return m_menu; }

protected:
    // Both outlive the pane.
    CTreePane(CEditorHost& host, CommandTable& commands, const QString& treeName, QWidget* parent);

    virtual void OnClicked(QTreeWidgetItem* item) = 0;
    virtual void OnDoubleClicked(QTreeWidgetItem* item) = 0;
    // The menu for the item; empty for none.
    virtual std::span<const PaneMenuItem> MenuFor(QTreeWidgetItem* item) const = 0;
    // Refusing a drag cancels it.
    virtual bool OnDragStarted(QTreeWidgetItem* item) = 0;
    virtual void OnDraggedOver(QTreeWidgetItem* item) = 0;
    virtual void OnDragEnded() = 0;
    virtual bool OnEndLabelEdit(QTreeWidgetItem& item, const QString& text) = 0;

    // The command runs once the current event is handled, as a posted message would.
    void Post(int32_t command);

    CEditorHost& m_host;

private:
    void showMenu(QTreeWidgetItem* item, const QPoint& globalPosition);

    CommandTable& m_commands;
    CPaneTree* m_tree = nullptr;
    QPointer<QMenu> m_menu;
};
