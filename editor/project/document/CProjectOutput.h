#pragma once
// The output pane as the project writes to it: compile diagnostics (which lead back to
// their page and object), its own progress lines, and the percentage at a line's tail.

#include <string_view>

#include "editor/document/CCompileOutput.h"

class CProjectOutput : public CCompileOutput {
public:
    // Empties the pane.
    virtual void Clear() = 0;
    // "%3d %%" in place of the last line's tail.
    virtual void ShowProgress(std::u16string_view text) = 0;
};
