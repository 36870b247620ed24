#include "editor/document/CDocumentHost.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

namespace {
CDocumentHost* g_host = nullptr;
} // namespace

CDocumentHost& CDocumentHost::Get()
{
    assert(g_host && "no document host installed: the program's connection is missing");
    if (!g_host) {
        // A change with nowhere to go would cost the person's work without a word.
        std::fputs("VX: no document host installed\n", stderr);
        std::abort();
    }
    return *g_host;
}

CDocumentHost* CDocumentHost::Set(CDocumentHost* host)
{
    CDocumentHost* previous = g_host;
    g_host = host;
    return previous;
}

bool CDocumentHost::IsInstalled()
{
    return g_host != nullptr;
}
