#pragma once
// Where a "relFile" value points: "%name" is a picture in the placeholders folder beside
// the program; an absolute path stays as it is; anything else lies in the project folder.

#include <filesystem>
#include <string_view>

class CFileReference {
public:
    // An empty path for a value shorter than two characters. Absolute here is a path
    // beginning with "/"; a drive letter ("C:...") of a document written elsewhere is
    // also taken as it stands.
    static std::filesystem::path Resolve(std::u16string_view value, const std::filesystem::path& projectFolder,
                                         const std::filesystem::path& placeholderFolder);
    static std::filesystem::path Resolve(std::u16string_view value, const std::filesystem::path& projectFolder);
};
