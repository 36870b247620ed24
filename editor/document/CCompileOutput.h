#pragma once
// Where compile diagnostics go: the output pane in the editor, a list in tests. Each
// line names the page and the object it is about, so the pane can open them.

#include <cstdint>
#include <string_view>

class CSelectable;

class CCompileOutput {
public:
    virtual ~CCompileOutput() = default;
    // color is 0xBBGGRR; object is none for a line about the page itself.
    virtual void AppendLine(std::u16string_view text, uint32_t color, const CSelectable* page,
                            const CSelectable* object) = 0;
};
