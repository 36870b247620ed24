#pragma once
// The installed font files, as fontconfig knows them. Face choice is first-match over
// this list, so it comes sorted by path and holds every file once.

#include <string>
#include <vector>

class FontList {
public:
    struct File {
        std::string path;   // absolute, UTF-8
        std::string family; // of the file's first face
        std::string style;
    };

    // Every installed font file, de-duplicated and sorted by path; non-zero when
    // fontconfig cannot be set up (files is then empty).
    [[nodiscard]] static int installed(std::vector<File>& files);

    // The family fontconfig draws in place of family (its best match after its
    // substitution rules), or "" when it has none.
    static std::string substituteFamily(const std::string& family);
};
