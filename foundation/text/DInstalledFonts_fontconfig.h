#pragma once

#include "foundation/text/DInstalledFonts.h"

class DInstalledFonts_fontconfig final : public DInstalledFonts {
public:
    [[nodiscard]] int fontFiles(std::vector<std::string>& paths) override;
    std::string substituteFamily(const std::string& family) override;
};
