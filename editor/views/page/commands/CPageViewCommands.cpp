#include "editor/views/page/commands/CPageViewCommands.h"

#include "editor/views/page/CChildViewPage.h"

CPageViewCommands::CPageViewCommands(CChildViewPage& view)
{
    (void)view;
}

std::span<const int32_t> CPageViewCommands::CommandIds()
{
    return {};
}
