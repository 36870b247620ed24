#pragma once
// Arranging the selected objects: order, grouping, alignment, locks, natural size, and
// the position and size boxes.

class CommandTarget;
class CPageCommandContext;

class CArrangeCommands {
public:
    static void Register(CommandTarget& target, CPageCommandContext& context);
};
