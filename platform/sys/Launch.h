#pragma once
// Starting another program of the tool set (the simulator) without a shell: the
// arguments go to it as they are, so no path can be misread. The caller does not wait;
// the child is reaped when it ends, so no zombie is left.

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace Launch {

struct Result {
    pid_t pid = -1;
    std::string error;   // empty when started
    bool started() const { return pid > 0; }
};

// program with arguments (argv[0] is the program's path); the environment is ours.
Result spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments);

// A folder only this user can enter ("vx-<uid>" under the system's temporary folder,
// mode 0700), made when missing. Empty, with the reason in error, when the folder
// exists but belongs to somebody else, is not a folder, or is open to others.
std::filesystem::path privateTempFolder(std::string& error);

} // namespace Launch
