#pragma once
// What a file is. Tag lists and presets are known by their extension alone (without
// regard to case), so a renamed one is never read as something else. A project document
// is known by its content: the wrapper begins with "VXPR" whatever the file is called
// (the upgrade's ".old-<n>" backup included), any other file is the bare XML document;
// only the retired ".dxml" format is refused by its name.

#include <filesystem>
#include <string_view>

enum class ProjectFileKind { Unknown, TagsExport, EngineTags, Preset, TagListing };

ProjectFileKind KindOfFile(const std::filesystem::path& path);

enum class ProjectDocumentKind { Wrapped, BareXml, Retired };

// Retired by the extension, before anything is read; otherwise by the content.
ProjectDocumentKind KindOfProjectDocument(const std::filesystem::path& path, std::string_view content);
bool IsRetiredProjectDocument(const std::filesystem::path& path);
