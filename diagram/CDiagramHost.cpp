#include "diagram/CDiagramHost.h"

#include <chrono>

#include "diagram/editor/CDiagramWindow.h"

namespace {
CDiagramHost g_defaultHost;
CDiagramHost* g_host = &g_defaultHost;
} // namespace

CDiagramHost& CDiagramHost::Get()
{
    return *g_host;
}

void CDiagramHost::Set(CDiagramHost* host)
{
    g_host = host ? host : &g_defaultHost;
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
