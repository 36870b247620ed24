#pragma once
// The context menus of the project and objects panes, written as data: a caption and
// the command its choice posts to the main frame.

#include <cstdint>
#include <functional>
#include <span>

class QMenu;
class QWidget;

struct PaneMenuItem {
    const char16_t* caption;
    int32_t command;
};

// A menu of the items, deleted when it closes; choosing one calls choose with its command.
QMenu* MakePaneMenu(QWidget* parent, std::span<const PaneMenuItem> items, std::function<void(int32_t)> choose);
