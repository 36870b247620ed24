#include "editor/views/panes/PaneMenu.h"

#include <QMenu>

QMenu* MakePaneMenu(QWidget* parent, std::span<const PaneMenuItem> items, std::function<void(int32_t)> choose)
{
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const PaneMenuItem& item : items) {
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf16(item.caption));
        QObject::connect(action, &QAction::triggered, menu, [choose, command = item.command] { choose(command); });
    }
    return menu;
}
