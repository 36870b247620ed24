// Runs a fuzz target once over every file of a folder: its seeds and kept findings.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::error_code error;
    std::size_t count = 0;
    std::vector<uint8_t> empty;
    LLVMFuzzerTestOneInput(empty.data(), 0);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1], error)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++count;
    }
    std::printf("%zu inputs\n", count);
    return 0;
}
