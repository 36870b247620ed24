#pragma once
// Test-side helpers: every test process runs with its own settings and temporary folders.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

namespace vx::test {

// Makes a private temporary root and points XDG_CONFIG_HOME, XDG_CACHE_HOME and
// XDG_RUNTIME_DIR into it, so no test reads or writes the user's settings.
void isolateEnvironment();

// The root made by isolateEnvironment().
const std::filesystem::path& testRoot();

// A fresh empty folder under the test root, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// A file of tests/fixtures/.
std::filesystem::path fixturePath(const std::string& name);
// A program of the build's program folder.
std::filesystem::path programPath(const std::string& name);

// Where the pictures the tests keep lie: "screenshots" in the folder the tests run in,
// made when missing.
std::filesystem::path screenshotFolder();
// Copies the pictures a scenario left in folder into the screenshot folder, each pair
// {name there, name kept}; a picture that is missing is skipped.
void keepScreenshots(const std::filesystem::path& folder,
                     std::initializer_list<std::pair<const char*, const char*>> names);

// Writes bytes to a file, creating its folder.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

} // namespace vx::test
