#pragma once
// The editor's accelerators: keys that run a command wherever the main window has the
// focus, as long as the command is enabled.

#include <QKeyCombination>
#include <span>

class CommandTable;
class QWidget;

struct AcceleratorRow {
    QKeyCombination keys;
    int id;
};

class CAcceleratorTable {
public:
    static std::span<const AcceleratorRow> Rows();
    // Shortcuts on window for every row, each executing its command through commands.
    static void Install(QWidget& window, CommandTable& commands);
};
