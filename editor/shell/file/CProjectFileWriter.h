#pragma once
// Writes a project file as a whole or not at all: the bytes go to a temporary file
// beside the destination, which is renamed over the old file only after every byte is
// on disk. Tests fail a write part way through by overriding WriteSome.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <sys/types.h>

class CProjectFileWriter {
public:
    virtual ~CProjectFileWriter() = default;

    // An empty text on success, else the message to show; the old file is kept then and
    // no temporary file is left.
    std::u16string Write(const std::filesystem::path& path, std::span<const uint8_t> bytes);

protected:
    // Writes up to bytes.size() bytes to the open descriptor: the count written, or -1
    // with errno set.
    virtual ssize_t WriteSome(int descriptor, std::span<const uint8_t> bytes);
};
