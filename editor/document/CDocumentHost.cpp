#include "editor/document/CDocumentHost.h"

namespace {
CDocumentHost g_defaultHost;
CDocumentHost* g_host = &g_defaultHost;
} // namespace

CDocumentHost& CDocumentHost::Get()
{
    return *g_host;
}

void CDocumentHost::Set(CDocumentHost* host)
{
    g_host = host ? host : &g_defaultHost;
}
