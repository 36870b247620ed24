#include "diagram/CDiagramHost.h"

#include <cassert>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "diagram/editor/CDiagramWindow.h"

namespace {
CDiagramHost* g_host = nullptr;
} // namespace

CDiagramHost& CDiagramHost::Get()
{
    assert(g_host && "no diagram host installed: the program's connection is missing");
    if (!g_host) {
        // A change with nowhere to go would cost the person's work without a word.
        std::fputs("VX: no diagram host installed\n", stderr);
        std::abort();
    }
    return *g_host;
}

CDiagramHost* CDiagramHost::Set(CDiagramHost* host)
{
    CDiagramHost* previous = g_host;
    g_host = host;
    return previous;
}

bool CDiagramHost::IsInstalled()
{
    return g_host != nullptr;
}

void CDiagramHost::TrackPopup(std::span<const CEntityPopupItem> items, int32_t x, int32_t y, CDiagramWindow* parent)
{
    if (parent)
        parent->TrackPopup(items, {x, y});
}

uint32_t CDiagramHost::TickCount()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
