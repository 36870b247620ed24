#pragma once
// Compiles a project into its target binary in memory: the project header with the
// page table, then each page with the pictures and fonts it needs first. Problems are
// lines in the output pane and bits of the result; they never stop the compile.

#include <cstdint>
#include <vector>

#include "editor/document/CompileDiagnostic.h"

class CProject;

struct CCompiledTarget {
    std::vector<uint8_t> bytes;
    uint32_t result = 0;   // bits of CompileResultBits

    bool HasErrors() const;
    bool HasWarnings() const;
};

class CProjectCompiler {
public:
    // The start page: the first Initial page, else the first Normal one. With neither,
    // page 0 is made Normal first (with the message) so the header names a page the
    // engine starts on.
    static int32_t SettleStartPage(CProject& project);
    static CCompiledTarget Compile(CProject& project);
    // Warns of every object larger than a picture of the engine may be: its pictures
    // are not made, and it compiles without them. True when any was found.
    static bool ReportOversizedPictures(CProject& project);
};
