#pragma once
// Reports compile diagnostics to an output and keeps the project's compile result.

#include <cstdint>
#include <string_view>

#include "editor/document/CompileDiagnostic.h"

class CCompileOutput;
class CSelectable;

class CCompileReport {
public:
    // Red in the output pane.
    static constexpr uint32_t kMessageColor = 0x0000AA;

    explicit CCompileReport(CCompileOutput& output) : m_output(output) {}

    // "\r\nError in " or "\r\nWarning in ", the owner's name ("page" for a page),
    // " object: ", the message, and " (label value)" when both are given. Sets the
    // result bit; true for an error.
    bool ReportCompileMessage(CompileDiagnostic code, const CSelectable& owner, const CSelectable* page,
                              std::u16string_view label, std::u16string_view value);

    // Bits of CompileResultBits.
    uint32_t Result() const { return m_result; }
    void Reset() { m_result = 0; }

private:
    CCompileOutput& m_output;
    uint32_t m_result = 0;
};
