#pragma once
// The theme plug-ins of the "Styles" folder beside the program, in file-name order so
// that of two themes answering one name the same one always wins. One instance serves
// the editor.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/objects/CStyle.h"

class CStyles : public CThemeProvider {
public:
    // The file names a theme library has: "Theme_<anything>.so".
    static constexpr std::string_view kLibraryPrefix = "Theme_";
    static constexpr std::string_view kLibraryExtension = ".so";

    CStyles() = default;
    ~CStyles() override;
    CStyles(const CStyles&) = delete;
    CStyles& operator=(const CStyles&) = delete;

    static CStyles& Get();

    // Adds every theme library of folder (the program's "Styles" by default); the
    // number of styles held.
    int Load();
    int Load(const std::filesystem::path& folder);
    // Drops the styles held and loads folder's in their place.
    int Reload(const std::filesystem::path& folder);
    // A library that does not load or cannot say its name is no style: none then.
    CStyle* Add(const std::filesystem::path& path);
    void Clear() { m_styles.clear(); }

    int GetCount() const { return int(m_styles.size()); }
    CStyle* GetAt(int index) const;
    CStyle* FindStyle(std::u16string_view name) const;
    int FindStyleIndex(std::u16string_view name) const;

    CObjectTheme* FindTheme(std::u16string_view name) override { return FindStyle(name); }
    std::u16string FirstThemeName() override;

private:
    std::vector<std::unique_ptr<CStyle>> m_styles;
};
