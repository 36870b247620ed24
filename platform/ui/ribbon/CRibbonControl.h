#pragma once
// One control of the ribbon and the command it stands for. A command may stand behind
// several controls (the Text formatting panel is on two tabs); they show one state.

#include <QIcon>
#include <QString>

#include "platform/ui/CommandTable.h"

class QWidget;

enum class RibbonButtonSize { Small, Large };
enum class RibbonComboKind { List, Editable };
// A command whose button drops down a list of steps (undo, redo): choosing the k-th entry
// runs the command for k steps.
enum class RibbonActionList { None, Steps };

struct CRibbonControl {
    int id = 0;
    ControlKind kind = ControlKind::Button;
    QWidget* widget = nullptr;
};

// What the options dialog and the quick access bar know of a command.
struct CRibbonCommand {
    int id = 0;
    QString label;   // without its key tip
    QIcon icon;
    bool hidden = false; // in the ribbon's list, on no panel
    RibbonActionList actionList = RibbonActionList::None;
};
