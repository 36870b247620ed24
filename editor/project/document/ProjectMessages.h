#pragma once
// The texts the project shows and writes, and the colours (0xBBGGRR) of its output lines.

#include <cstdint>
#include <string_view>

namespace ProjectMessages {

inline constexpr std::u16string_view kDownloadInProgress = u"Downloading target binary is in progress.";
inline constexpr std::u16string_view kDownloadAlreadyInProgress = u"Downloading target binary is already in progress.";
inline constexpr std::u16string_view kAdjustPageSize =
    u"Imported project must fit current project page size!\nDo you want to continue with import\nand adjust page size "
    u"automatically?";

inline constexpr std::u16string_view kSavingProject = u"Saving project...      ";
inline constexpr uint32_t kSavingProjectColor = 0xBB0000;
inline constexpr std::u16string_view kLineEnd = u"\r\n";

} // namespace ProjectMessages

#include <cstdio>
#include <string>

namespace ProjectMessages {

// "%3d %%": the percentage at the tail of a progress line.
inline std::u16string PercentText(int64_t percent)
{
    char text[24];
    std::snprintf(text, sizeof text, "%3lld %%", static_cast<long long>(percent));
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

// 100 x k / n in 64 bits, so no count of objects or bytes overflows it; 0 for n = 0.
inline int64_t Percent(uint64_t k, uint64_t n)
{
    return n == 0 ? 0 : int64_t((k * 100u) / n);
}

} // namespace ProjectMessages
