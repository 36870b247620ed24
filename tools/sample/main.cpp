// vx-sample-target OUT.ddd: writes the sample panel, one widget of every kind on its
// start page, for VX-Engine, and beside it the tags file OUT.dtags that the engine's
// "Tags" window lists. Each file is written beside its destination first and renamed
// over it once complete, so a failed run leaves an older file as it was.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "tests/support/SampleTarget.h"
#include "tests/support/TagsFileWriter.h"

namespace {

int fail(const std::string& message)
{
    std::fprintf(stderr, "vx-sample-target: %s\n", message.c_str());
    return 1;
}

// Writes bytes to a file beside path, then renames it over path; 0 on success.
int writeReplacing(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file)
            file.write(bytes.data(), std::streamsize(bytes.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return fail("cannot write " + temporary.string());
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return fail("cannot replace " + path.string() + ": " + renamed.message());
    }
    return 0;
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

    if (const int failed = writeReplacing(out, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        return failed;
    std::filesystem::path tags = out;
    tags.replace_extension(".dtags");
    return writeReplacing(tags, vx::test::sampleTagsFile());
}
