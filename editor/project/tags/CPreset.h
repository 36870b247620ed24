#pragma once
// Presets (".dpst"): the target settings of a project as an XML document whose root
// "preset" holds one child per setting.

#include <filesystem>
#include <string>

#include "editor/project/CTargetSettings.h"

class DXMLElement;

namespace CPreset {

inline constexpr std::u16string_view kParseFailed = u"Failed to parse preset file.";

// Each child present replaces its setting; an unknown encoding name keeps the current
// one. An empty text on success, else the message to show (settings unchanged).
std::u16string ReadPreset(const std::filesystem::path& path, CTargetSettings& settings);
std::u16string WritePreset(const std::filesystem::path& path, const CTargetSettings& settings);

// The document's bytes, and its reading, apart from the file.
std::string PresetBytes(const CTargetSettings& settings);
bool ParsePreset(std::string_view bytes, CTargetSettings& settings);

} // namespace CPreset
