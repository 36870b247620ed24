#include "engine/posix/DFile_posix.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/core/DStatus.h"
#include "foundation/TextHelpers.h"

DFile_posix::~DFile_posix()
{
    close();
}

int DFile_posix::open(const DString& path)
{
    close();
    clearLimits();
    const std::string name = wideToUtf8(path.view());
    m_descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_descriptor < 0)
        return DStatus::Failed;
    struct stat info{};
    if (fstat(m_descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close();
        return DStatus::Failed;
    }
    (void)posix_fadvise(m_descriptor, 0, 0, POSIX_FADV_RANDOM);
    return DStatus::Ok;
}

void DFile_posix::close()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}

int DFile_posix::seek(int64_t offset, int origin)
{
    if (m_descriptor < 0 || (origin != FromStart && origin != FromCurrent))
        return DStatus::Failed;
    return lseek(m_descriptor, offset, origin == FromStart ? SEEK_SET : SEEK_CUR) < 0 ? DStatus::Failed
                                                                                     : DStatus::Ok;
}

uint32_t DFile_posix::tell() const
{
    return uint32_t(position());
}

uint64_t DFile_posix::size() const
{
    struct stat info{};
    if (m_descriptor < 0 || fstat(m_descriptor, &info) != 0)
        return 0;
    return uint64_t(info.st_size);
}

uint64_t DFile_posix::position() const
{
    if (m_descriptor < 0)
        return 0;
    const off_t at = lseek(m_descriptor, 0, SEEK_CUR);
    return at < 0 ? 0 : uint64_t(at);
}

int DFile_posix::readRaw(void* buffer, uint32_t count)
{
    auto* bytes = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_descriptor, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return DStatus::Failed;
        done += uint32_t(got);
    }
    return DStatus::Ok;
}
