#pragma once
// Whole-file reads and writes for the project's side files, with the class library's
// file error messages. A write goes to a temporary file beside the destination and is
// renamed over it only when complete, so a failed write keeps the old file.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace CFileAccess {

// Larger side files are refused: none of them is ever that big.
inline constexpr std::uintmax_t kMaxReadBytes = 64u << 20;

// An empty text on success, else the message to show.
std::u16string Read(const std::filesystem::path& path, std::string& bytes);
std::u16string Write(const std::filesystem::path& path, std::string_view bytes);

// The message for an errno value about path.
std::u16string ErrorMessage(int error, const std::filesystem::path& path);

} // namespace CFileAccess
