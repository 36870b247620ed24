#pragma once
// Inserting objects (the canvas places the next one where it is clicked) and actions
// (into the script the actions pane shows).

#include <cstdint>

class CommandTarget;
class CPageCommandContext;

class CInsertCommands {
public:
    static void Register(CommandTarget& target, CPageCommandContext& context);
    // The object type row whose insert command is commandId; 0 for none.
    static int32_t RowOfCommand(int32_t commandId);
    // Whether an object of the row can be made (rows 0 and 25 to 29 have no class).
    static bool IsCreatable(int32_t row);
};
