#pragma once
// The texts of the target commands: the Generate binary dialog, and the lines the
// output pane shows when Play cannot hand the project to the engine.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include <QStringList>

#include "editor/document/CCompileReport.h"

namespace CTargetCommandTexts {

inline constexpr std::string_view kTargetExtension = ".ddd";
inline constexpr char16_t kSaveTitle[] = u"Save As";
inline constexpr uint32_t kFailureColor = CCompileReport::kMessageColor;
inline constexpr std::u16string_view kEngineFailed = u"VX-Engine could not be started: ";
inline constexpr std::u16string_view kNoTemporaryFolder = u"No folder for the simulation files: ";
inline constexpr std::u16string_view kLineEnd = u"\r\n";

// "VX-Engine target files (*.ddd)", then "All files (*)".
QStringList TargetFilters();
// The dialog's default extension: ".ddd" on a name that has none.
std::filesystem::path WithTargetExtension(std::filesystem::path path);
// The output line for a reason the system gave.
std::u16string FailureLine(std::u16string_view lead, std::string_view reason);
std::u16string FailureLine(std::u16string_view reason);

} // namespace CTargetCommandTexts
