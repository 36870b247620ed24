#pragma once
// The clipboard and the undo and redo commands of a page view.

class CommandTarget;
class CPageCommandContext;

class CEditCommands {
public:
    static void Register(CommandTarget& target, CPageCommandContext& context);
};
