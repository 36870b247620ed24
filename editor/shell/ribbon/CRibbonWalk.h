#pragma once
// Every command the ribbon and the accelerators reach must have a handler, unless it is
// one of the few that have none by design (the print commands the ribbon shows as the
// class library shows unhandled commands).

#include <span>
#include <vector>

class CRibbonBar;
class CommandTable;

class CRibbonWalk {
public:
    // The commands that stay on the ribbon without a handler.
    static std::span<const int> CommandsWithoutHandler();
    // The ids of bar's controls, menu items, hidden commands, quick access entries and the
    // accelerators that no level of commands serves and that are not on that list.
    static std::vector<int> Unreached(const CRibbonBar& bar, const CommandTable& commands);
    // Every command id the walk visits, once each, in the ribbon's building order.
    static std::vector<int> CommandIds(const CRibbonBar& bar);
};
