#pragma once
// What a file is, taken from its extension alone (without regard to case): its content
// never decides, so a renamed file is never read as something else.

#include <filesystem>

enum class ProjectFileKind { Unknown, TagsExport, EngineTags, Preset, TagListing };

ProjectFileKind KindOfFile(const std::filesystem::path& path);
