#pragma once
// The editor's per-user folders, kept under "AppSettings": the projects, downloads and
// images folders. A missing or empty value is the user's documents folder followed by
// "VX-Engine Projects" (the folder is not made).

#include <string>
#include <string_view>

class Registry;

class CPathSettings {
public:
    static constexpr std::string_view kProjectsPath = "ProjectsPath";
    static constexpr std::string_view kDownloadsPath = "DownloadsPath";
    static constexpr std::string_view kImagesPath = "ImagesPath";
    static constexpr std::u16string_view kDefaultFolderName = u"VX-Engine Projects";

    explicit CPathSettings(Registry& registry) : m_registry(registry) {}

    std::u16string GetPathSetting(std::string_view key) const;
    void SetPathSetting(std::string_view key, std::u16string_view value);
    // The documents folder followed by the default folder's name.
    static std::u16string DefaultFolder();

private:
    Registry& m_registry;
};
