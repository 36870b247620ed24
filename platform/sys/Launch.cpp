#include "platform/sys/Launch.h"

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace Launch {

Result spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments)
{
    Result result;
    std::vector<char*> argv;
    std::string path = program.string();
    argv.push_back(path.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int status = ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
    if (status != 0) {
        result.error = path + ": " + std::strerror(status);
        return result;
    }
    result.pid = pid;
    // Reaped when it ends; nobody waits for it otherwise.
    std::thread([pid] {
        int ignored = 0;
        while (::waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return result;
}

std::filesystem::path privateTempFolder(std::string& error)
{
    std::error_code code;
    std::filesystem::path base = std::filesystem::temp_directory_path(code);
    if (code)
        base = "/tmp";
    const std::filesystem::path folder = base / ("vx-" + std::to_string(::getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = folder.string() + ": " + std::strerror(errno);
        return {};
    }
    struct stat info {};
    // lstat: a link planted in the shared folder is not followed.
    if (::lstat(folder.c_str(), &info) != 0) {
        error = folder.string() + ": " + std::strerror(errno);
        return {};
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & 0077) != 0) {
        error = folder.string() + ": not a private folder of this user";
        return {};
    }
    error.clear();
    return folder;
}

} // namespace Launch
