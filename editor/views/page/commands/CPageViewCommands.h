#pragma once
// Every command of a page view with its update handler, registered into the view's
// command target (the view level of the command table, offered every command first).

#include <cstdint>
#include <span>

#include "platform/ui/CommandTable.h"

class CChildViewPage;

class CPageViewCommands {
public:
    explicit CPageViewCommands(CChildViewPage& view);

    const CommandTarget& GetTarget() const { return m_target; }
    // Every command id a page view serves.
    static std::span<const int32_t> CommandIds();

private:
    CommandTarget m_target;
};
