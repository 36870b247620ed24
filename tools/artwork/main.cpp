// vx-artwork: draws the theme pictures, settings and previews and the editor's
// placeholder pictures at build time.
//   vx-artwork <styles folder> <placeholders folder> <preview folder> <shell art folder>
// The preview folder gets "<Name>Preview.png" and "<Name>Preview.inc", the picture's
// bytes as C array elements for the theme library.

#include <FreeImage.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "themes/ThemeConstants.h"
#include "tools/artwork/PlaceholderArt.h"
#include "tools/artwork/ShellArt.h"
#include "tools/artwork/ThemeArt.h"

namespace {

bool writePreview(const ThemeArt& art, const std::filesystem::path& folder)
{
    const std::vector<uint8_t> png = art.previewPng();
    std::ofstream picture(folder / (art.name() + "Preview.png"), std::ios::binary | std::ios::trunc);
    picture.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    std::ofstream bytes(folder / (art.name() + "Preview.inc"), std::ios::trunc);
    for (std::size_t i = 0; i < png.size(); ++i)
        bytes << unsigned(png[i]) << (i % 24 == 23 ? ",\n" : ",");
    bytes << "\n";
    return !png.empty() && bool(picture) && bool(bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: vx-artwork <styles folder> <placeholders folder> <preview folder> <shell art folder>\n");
        return 2;
    }
    const std::filesystem::path styles = argv[1], placeholders = argv[2], previews = argv[3], shell = argv[4];
    std::error_code error;
    for (const auto& folder : {styles, placeholders, previews, shell})
        std::filesystem::create_directories(folder, error);
    bool ok = writePlaceholders(placeholders) && writeShellArt(shell);
    for (std::size_t i = 0; i < kThemeConstants.size(); ++i) {
        const ThemeArt art(ThemeIndex(i), kThemeConstants[i]);
        ok = ok && art.writeStyles(styles) && writePreview(art, previews);
    }
    if (!ok) {
        std::fprintf(stderr, "vx-artwork: cannot write the pictures\n");
        return 1;
    }
    return 0;
}
