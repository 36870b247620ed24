#pragma once
// The project's view settings and the page's own: grid, snapping, page size, page
// colour and transparency, zoom, and deleting or duplicating the page.

#include <cstdint>

struct CPageSize;
class CommandTarget;
class CPageCommandContext;

class CPageSettingsCommands {
public:
    static constexpr int32_t kSliderMaximum = 100;

    static void Register(CommandTarget& target, CPageCommandContext& context);
    // "Fit to screen": the larger whole percentage at which the page fits the client
    // area both ways; at least 1.
    static int32_t FitPercent(int32_t clientWidth, int32_t clientHeight, const CPageSize& page);
};
