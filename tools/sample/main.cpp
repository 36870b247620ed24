// vx-sample-target OUT.ddd: writes the sample panel, one widget of every kind on its
// start page, for VX-Engine. The file is written beside its destination first and
// renamed over it once complete, so a failed run leaves an older file as it was.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "tests/support/SampleTarget.h"

namespace {

int fail(const std::string& message)
{
    std::fprintf(stderr, "vx-sample-target: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '\0')
        return fail("usage: vx-sample-target OUT.ddd");
    const std::filesystem::path out = argv[1];

    std::string error;
    const std::vector<uint8_t> bytes = vx::test::SampleTarget::build(&error);
    if (bytes.empty())
        return fail(error);

    std::filesystem::path temporary = out;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file)
            file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return fail("cannot write " + temporary.string());
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, out, renamed);
    if (renamed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return fail("cannot replace " + out.string() + ": " + renamed.message());
    }
    return 0;
}
