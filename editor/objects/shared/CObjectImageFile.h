#pragma once
// Loading the picture a "relFile" property names: "%name" from the placeholders folder
// beside the program, an absolute path as it is, anything else from the folder of the
// open project (which the project sets when it is opened or saved), a value shorter than
// two characters none.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "editor/objects/shared/CObjectPicture.h"

class CSelectable;
class CWinFreeImage;

class CObjectImageFile {
public:
    // The folder relative values are taken from; empty (the working folder) until set.
    // The worker reads it while it renders previews, so it is kept under a lock.
    static void SetProjectFolder(std::filesystem::path folder);
    static std::filesystem::path ProjectFolder();

    // The file the value names; empty for none.
    static std::filesystem::path PathOf(std::u16string_view value);
    // The picture of the "relFile" property category/caption, 32-bit, premultiplied when
    // alpha asks, its alpha scaled by transparency 0..255; none when the property is
    // missing, names no file or the file does not load.
    static std::unique_ptr<CWinFreeImage> Load(const CSelectable& owner, std::u16string_view category,
                                               std::u16string_view caption, PictureAlpha alpha, int transparency);
    static std::unique_ptr<CWinFreeImage> Load(std::u16string_view value, PictureAlpha alpha, int transparency);
};
