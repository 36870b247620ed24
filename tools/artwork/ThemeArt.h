#pragma once
// The pictures, preview and settings of one theme, drawn from its constants in the
// theme's own material: glossy lacquer, rippled sand, brushed metal, grained wood.

#include <filesystem>
#include <string>
#include <vector>

#include "themes/ThemeConstants.h"

class ThemeArt {
public:
    ThemeArt(ThemeIndex index, const ThemeConstants& constants);

    // "<Name><suffix>.png" for every suffix and "<Name>.ini" into the styles folder.
    bool writeStyles(const std::filesystem::path& folder) const;
    // The preview picture as PNG bytes.
    std::vector<uint8_t> previewPng() const;
    std::string name() const;

private:
    enum class Face { Normal, Pressed, Focused };
    void drawMaterial(class ArtCanvas& canvas, double x, double y, double width, double height, Face face) const;
    bool writeFace(const std::filesystem::path& path, Face face) const;
    bool writeThumb(const std::filesystem::path& path) const;
    bool writeRoundThumb(const std::filesystem::path& path) const;
    bool writeNeedle(const std::filesystem::path& path) const;
    std::string settings() const;

    ThemeIndex m_index;
    const ThemeConstants& m_constants;
};
