#include "tests/support/TestEnvironment.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace vx::test {
namespace fs = std::filesystem;

namespace {
fs::path g_root;
std::atomic<unsigned> g_counter{0};
} // namespace

void isolateEnvironment()
{
    if (!g_root.empty())
        return;
    std::string pattern = (fs::temp_directory_path() / "vx-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make the test folder");
    g_root = pattern;
    for (const char* name : {"config", "cache", "runtime"})
        fs::create_directories(g_root / name);
    fs::permissions(g_root / "runtime", fs::perms::owner_all);
    setenv("XDG_CONFIG_HOME", (g_root / "config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (g_root / "cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (g_root / "runtime").c_str(), 1);
    setenv("TMPDIR", g_root.c_str(), 1);
    // Only the fonts of Debian's test font packages, so results do not depend on the machine.
    setenv("FONTCONFIG_FILE", VX_TEST_FONTCONFIG, 1);
    setenv("VX_FIXTURES", VX_TEST_FIXTURES, 0);
    setenv("VX_BIN_DIR", VX_TEST_BIN_DIR, 0);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(g_root, ignored);
    });
}

const fs::path& testRoot()
{
    isolateEnvironment();
    return g_root;
}

TempDir::TempDir()
{
    m_path = testRoot() / ("dir" + std::to_string(getpid()) + "-" + std::to_string(g_counter++));
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

fs::path fixturePath(const std::string& name)
{
    const char* dir = std::getenv("VX_FIXTURES");
    return fs::path(dir ? dir : "tests/fixtures") / name;
}

fs::path programPath(const std::string& name)
{
    const char* dir = std::getenv("VX_BIN_DIR");
    return fs::path(dir ? dir : "build/bin") / name;
}

fs::path screenshotFolder()
{
    const fs::path folder = fs::current_path() / "screenshots";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

void keepScreenshots(const fs::path& folder, std::initializer_list<std::pair<const char*, const char*>> names)
{
    const fs::path kept = screenshotFolder();
    for (const auto& [from, to] : names) {
        std::error_code ignored;
        fs::copy_file(folder / from, kept / to, fs::copy_options::overwrite_existing, ignored);
    }
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace vx::test
