#include "editor/shell/file/CProjectFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/project/CFileAccess.h"

namespace {

// Closes the temporary file and, unless it was renamed, removes it.
class TemporaryFile {
public:
    ~TemporaryFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }

    // A new file beside path, with the old file's permissions when there is one; errno
    // on failure.
    int Create(const std::filesystem::path& path)
    {
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            std::string name = path.string() + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            m_descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kMode);
            if (m_descriptor >= 0) {
                m_path = std::move(name);
                struct stat old {};
                if (::stat(path.c_str(), &old) == 0)
                    (void)::fchmod(m_descriptor, old.st_mode & kPermissionBits);
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    int Descriptor() const { return m_descriptor; }

    // Flushed and closed; errno on failure.
    int Close()
    {
        const int descriptor = m_descriptor;
        m_descriptor = -1;
        if (::fsync(descriptor) != 0) {
            const int error = errno;
            ::close(descriptor);
            return error;
        }
        return ::close(descriptor) == 0 ? 0 : errno;
    }

    int RenameOver(const std::filesystem::path& path)
    {
        if (::rename(m_path.c_str(), path.c_str()) != 0)
            return errno;
        m_path.clear();
        // The new name itself survives a crash only once its folder is on disk.
        const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
        if (const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); descriptor >= 0) {
            (void)::fsync(descriptor);
            ::close(descriptor);
        }
        return 0;
    }

private:
    static constexpr int kAttempts = 100;
    // The user's umask decides, as for any file the user saves.
    static constexpr mode_t kMode = 0666;
    static constexpr mode_t kPermissionBits = 07777;

    int m_descriptor = -1;
    std::string m_path;
};

} // namespace

std::u16string CProjectFileWriter::Write(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    // A link stays a link: the file it leads to is the one replaced.
    std::error_code linkError;
    std::filesystem::path destination = path;
    if (std::filesystem::symlink_status(path, linkError).type() == std::filesystem::file_type::symlink) {
        destination = std::filesystem::weakly_canonical(path, linkError);
        if (linkError)
            return CFileAccess::ErrorMessage(linkError.value(), path);
    }
    TemporaryFile temporary;
    if (const int error = temporary.Create(destination))
        return CFileAccess::ErrorMessage(error, path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = WriteSome(temporary.Descriptor(), bytes.subspan(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return CFileAccess::ErrorMessage(written < 0 ? errno : ENOSPC, path);
        done += std::size_t(written);
    }
    if (const int error = temporary.Close())
        return CFileAccess::ErrorMessage(error, path);
    if (const int error = temporary.RenameOver(destination))
        return CFileAccess::ErrorMessage(error, path);
    return {};
}

ssize_t CProjectFileWriter::WriteSome(int descriptor, std::span<const uint8_t> bytes)
{
    return ::write(descriptor, bytes.data(), bytes.size());
}
