// The pictures a project names, loaded by their path as objects load them: the first
// byte picks the file's extension and whether a depth companion ("<stem>_depth<ext>",
// the rest's second half) lies beside it; the rest is the file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "foundation/image/CWinFreeImage.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

constexpr std::array<const char*, 8> kExtensions = {".png", ".bmp", ".jpg", ".gif", ".tif", ".tga", ".PNG", ""};

// The project folder the pictures lie in, removed when the process ends.
struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vx-fuzz-image-" + std::to_string(::getpid()));
    ScratchFolder()
    {
        std::filesystem::create_directories(path);
        CObjectImageFile::SetProjectFolder(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const std::filesystem::path& folder()
{
    static const ScratchFolder scratch;
    return scratch.path;
}

void write(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string extension = kExtensions[data[0] % kExtensions.size()];
    const bool depth = (data[0] & 0x80) != 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string name = "picture" + extension;
    write(folder() / name, depth ? rest.substr(0, rest.size() / 2) : rest);
    std::error_code ignored;
    std::filesystem::remove(folder() / ("picture_depth" + extension), ignored);
    if (depth)
        write(folder() / ("picture_depth" + extension), rest.substr(rest.size() / 2));

    const std::u16string value(name.begin(), name.end());
    for (const PictureAlpha alpha : {PictureAlpha::Straight, PictureAlpha::Premultiplied}) {
        const auto picture = CObjectImageFile::Load(value, alpha, (data[0] >> 3) * 16);
        if (picture && picture->width() <= 256 && picture->height() <= 256)
            (void)picture->Crop(0, 0, 2, 2);
    }
    return 0;
}
