#pragma once
// What the font catalogue asks of the system: the installed font files and, for a
// family none of them has, the family the system would draw instead.

#include <string>
#include <vector>

class DInstalledFonts {
public:
    virtual ~DInstalledFonts() = default;

    // Absolute UTF-8 paths of every installed font file, each once, in a stable order;
    // non-zero when the system cannot list them.
    [[nodiscard]] virtual int fontFiles(std::vector<std::string>& paths) = 0;

    // The family drawn in place of family, or "" when the system knows none.
    virtual std::string substituteFamily(const std::string& family) = 0;
};
