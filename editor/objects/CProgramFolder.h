#pragma once
// The folders beside the editor's program file: "Styles" with the theme plug-ins and
// "placeholders" with the pictures "%name" file references name.

#include <filesystem>

class CProgramFolder {
public:
    // The folder of the running program; the working folder when it cannot be told.
    static std::filesystem::path Path();
    // VX_STYLES_DIR when set (tests point it at the built styles), else Path()/"Styles".
    static std::filesystem::path Styles();
    static std::filesystem::path Placeholders();
};
