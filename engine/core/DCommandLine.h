#pragma once
// The engine's command line: "-w" width, "-h" height, "-m" memory image bytes, then the
// target file's path. Options match without regard to case and take the next argument
// as a decimal value read the way _wtoi reads it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct DCommandLine {
    static constexpr std::size_t kMaxPathUnits = 259;
    static constexpr uint32_t kDefaultMemoryImageSize = 8192;

    int width = 0;  // 0 keeps 640
    int height = 0; // 0 keeps 480
    uint32_t memoryImageSize = kDefaultMemoryImageSize;
    bool memoryImageSizeFixed = false;
    std::u16string path;     // empty: none given
    bool pathTooLong = false; // the path argument exceeded the path buffer

    // args[0] is the program.
    static DCommandLine parse(std::span<const std::u16string> args);
};

// Reads a decimal integer as _wtoi does: leading white space, an optional sign, digits up
// to the first non-digit; no digits give 0 and overflow saturates.
int decimalValue(std::u16string_view text);

// The tags file beside a target file: its name up to and including the last "." followed
// by "dtags"; empty when the file name has no ".".
std::u16string tagsFilePathFor(std::u16string_view targetPath);
