#pragma once
// The project's view settings and the page's own: grid, snapping, page size, page
// colour and transparency, zoom, and deleting or duplicating the page.

#include <cstdint>

class CommandTarget;
class CPageCommandContext;

class CPageSettingsCommands {
public:
    static constexpr int32_t kSliderMaximum = 100;

    static void Register(CommandTarget& target, CPageCommandContext& context);
};
