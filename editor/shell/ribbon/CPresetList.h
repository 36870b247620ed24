#pragma once
// The preset files of the presets folder by kind: names without their extension, sorted
// by name so what is offered never depends on the file system's order; "working" (the
// file the working-preset keys write) is never listed.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CPresetList {
public:
    static constexpr std::string_view kPresetExtension = ".dpst";
    static constexpr std::string_view kTagPresetExtension = ".dctags";
    static constexpr std::u16string_view kWorkingName = u"working";
    // Names kept per kind.
    static constexpr std::size_t kMaxNames = 30;
    // Buttons per kind: the ids after the tenth belong to other commands.
    static constexpr std::size_t kMaxButtons = 10;

    // Empty when the folder is missing or unreadable.
    static std::vector<std::u16string> List(const std::filesystem::path& folder, std::string_view extension);
};
