#pragma once
// One theme: draws object frames in its style over the caller's pixels and answers the
// editor's queries. The four theme libraries are this class with their own constants
// and preview picture.
//
// Pictures and the settings file lie in the "Styles" folder beside the running program
// ("<Name><suffix>.png", "<Name>.ini"); the environment variable VX_STYLES_DIR names
// another folder (tests).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "themes/ThemeConstants.h"
#include "themes/ThemeInterface.h"

class CTheme {
public:
    static constexpr int32_t kPreviewWidth = 64;
    static constexpr int32_t kPreviewHeight = 48;
    // The longest settings value a query gives.
    static constexpr std::size_t kSettingCharacters = 200;

    CTheme(const ThemeConstants& constants, std::span<const uint8_t> previewPng)
        : m_constants(constants), m_previewPng(previewPng)
    {
    }

    int32_t drawObject(const VxThemeSurface* dc, const int32_t* rect, int32_t shape, ThemeObjectCode partCode,
                       int32_t transparency) const;
    // A new preview, or null when the picture is missing or does not decode.
    VxThemeSurface* previewImage() const { return makePreview(m_previewPng); }
    intptr_t query(int32_t code, const char16_t* section, const char16_t* key) const;

    std::filesystem::path stylesFolder() const;
    // A PNG picture rescaled to the preview size, premultiplied, in one malloc block.
    static VxThemeSurface* makePreview(std::span<const uint8_t> png);

private:
    std::filesystem::path fileName(std::u16string_view suffix, const char* extension) const;

    const ThemeConstants& m_constants;
    std::span<const uint8_t> m_previewPng;
};
