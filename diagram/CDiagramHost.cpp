#include "diagram/CDiagramHost.h"

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
