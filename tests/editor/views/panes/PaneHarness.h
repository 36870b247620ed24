#pragma once
// The main frame's level of a command table for pane tests: it records the commands a
// pane posts, and serves any a test hands a handler of its own; helpers that click, drag
// and edit tree items.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/views/panes/CPaneTree.h"
#include "platform/ui/CommandTable.h"

namespace vx::test {

struct PaneCommands {
    CommandTable& commands;
    CommandTarget frame;
    std::vector<int32_t> posted;

    // Every id in ids records itself when it runs.
    PaneCommands(CommandTable& table, std::initializer_list<CommandId> ids) : commands(table)
    {
        for (const CommandId id : ids)
            Serve(id, {});
        commands.setActive(CommandLevel::MainFrame, &frame);
    }
    ~PaneCommands() { commands.setActive(CommandLevel::MainFrame, nullptr); }
    PaneCommands(const PaneCommands&) = delete;
    PaneCommands& operator=(const PaneCommands&) = delete;

    // id is recorded, then handler runs.
    void Serve(CommandId id, std::function<void()> handler)
    {
        frame.add(ToInt(id), [this, id, handler = std::move(handler)] {
            posted.push_back(ToInt(id));
            if (handler)
                handler();
        });
    }

    // The commands posted so far, once the event loop has run them.
    std::vector<int32_t> Posted()
    {
        QCoreApplication::processEvents();
        return posted;
    }
};

inline QPoint Centre(QTreeWidget& tree, QTreeWidgetItem* item) { return tree.visualItemRect(item).center(); }

inline void Click(QTreeWidget& tree, QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, modifiers, Centre(tree, item));
}

// Presses on from, moves over each of over in turn, and releases on the last.
inline void Drag(QTreeWidget& tree, QTreeWidgetItem* from, std::vector<QTreeWidgetItem*> over)
{
    const QPoint start = Centre(tree, from);
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, start);
    // Past the drag distance first, still over the pressed item.
    QTest::mouseMove(tree.viewport(), start + QPoint(QApplication::startDragDistance() + 2, 0));
    QPoint last = start;
    for (QTreeWidgetItem* item : over) {
        last = Centre(tree, item);
        QTest::mouseMove(tree.viewport(), last);
    }
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, last);
}

// Types text into the open label editor and ends the edit with key.
inline bool EditLabel(CPaneTree& tree, const QString& text, Qt::Key key = Qt::Key_Return)
{
    // Closed editors linger hidden until they are deleted.
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : tree.viewport()->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    if (!editor)
        return false;
    editor->clear();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, key);
    QCoreApplication::processEvents();
    return !tree.IsEditingLabel();
}

} // namespace vx::test
