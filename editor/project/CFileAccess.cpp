#include "editor/project/CFileAccess.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "platform/sys/Profile.h"

namespace {

std::u16string withPath(std::u16string_view form, const std::filesystem::path& path)
{
    std::u16string text(form);
    const std::size_t at = text.find(u"%1");
    if (at != std::u16string::npos)
        text.replace(at, 2, Profile::decodeUtf8(path.string()));
    return text;
}

} // namespace

std::u16string CFileAccess::ErrorMessage(int error, const std::filesystem::path& path)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return withPath(u"%1 was not found.", path);
    case EACCES:
    case EPERM:
    case EROFS: return withPath(u"Access to %1 was denied.", path);
    case ENOSPC:
    case EDQUOT: return u"There is not enough space on the disk.";
    case EFBIG: return withPath(u"%1 is too large.", path);
    default: return withPath(u"An unexpected error occurred while accessing %1.", path);
    }
}

std::u16string CFileAccess::Read(const std::filesystem::path& path, std::string& bytes)
{
    bytes.clear();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return ErrorMessage(error.value(), path);
    if (size > kMaxReadBytes)
        return ErrorMessage(EFBIG, path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ErrorMessage(errno ? errno : EACCES, path);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return ErrorMessage(EIO, path);
    return {};
}

std::u16string CFileAccess::Write(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(::getpid());
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return ErrorMessage(errno ? errno : EACCES, path);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            const int error = errno ? errno : EIO;
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return ErrorMessage(error, path);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return ErrorMessage(error.value(), path);
    }
    return {};
}
