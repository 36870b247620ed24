#pragma once
// The texts the compile, save and download drivers show and write, and the colours
// (0xBBGGRR) of their output lines.

#include <cstdint>
#include <string_view>

namespace CompileMessages {

inline constexpr std::u16string_view kCompiling = u"Compiling project...";
inline constexpr uint32_t kCompilingColor = 0x006600;
inline constexpr std::u16string_view kDone = u"\r\nDone.\r\n";
inline constexpr uint32_t kDoneColor = 0x005500;
inline constexpr std::u16string_view kSaving = u"Saving target binary...";
inline constexpr std::u16string_view kSaved = u" 100 %\r\n";
inline constexpr uint32_t kSavingColor = 0xAA00AA;
inline constexpr std::u16string_view kDownloading = u"Downloading target binary...      ";
inline constexpr uint32_t kDownloadingColor = 0x0055AA;
inline constexpr std::u16string_view kLineEnd = u"\r\n";

inline constexpr std::u16string_view kNoPages = u"\r\nError in project: it has no pages to compile.";
inline constexpr std::u16string_view kTargetTooLarge =
    u"\r\nError in project: the target binary would be larger than 4 GiB.";
inline constexpr std::u16string_view kWarningStart = u"\r\nWarning in ";
inline constexpr std::u16string_view kPictureTooLarge =
    u" object: Picture larger than 16384 pixels a side or 256 MiB left out";
inline constexpr std::u16string_view kForcedNormal =
    u"If Initial or Normal page doesn't exist, first page first page is forced as Normal (Initial) one.";

inline constexpr std::u16string_view kErrorsFound =
    u"Errors which would result in unpredictable VX-Engine behavior have been encountered in the project.\n"
    u"Generation of VX project binary is suppressed. Please correct the errors in order to enable the binary "
    u"generation.\nDouble click on the error message in the Output window in order to jump directly to the object "
    u"which contains the error.";
inline constexpr std::u16string_view kWarningsFound =
    u"Warnings which would result in unpredictable VX-Engine behavior have been encountered in the project.\n"
    u"Double click on the warning message in the Output window in order to jump directly to the object which "
    u"contains the warning.";
inline constexpr std::u16string_view kFileInUse =
    u"The target binary file is already in use.\nPlease check if you have an VX-Engine instance\nalready running "
    u"with the same target binary.";
inline constexpr std::u16string_view kPortNotOpened =
    u"Port for downloading target binary is not opened.\nCheck port configuration in download.ini file.";

} // namespace CompileMessages
