#pragma once
// Opening a project file as the editor's Open does, headless: a file that begins with
// "VXPR" is the compressed wrapper (the XML length, zlib's crc32 from 170 over the body,
// the zlib body) whatever its name; ".dxml" is the retired format and refused; any other
// file is taken as the bare XML document.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "editor/project/document/CProject.h"
#include "editor/project/wrapper/CProjectFileWrapper.h"

namespace CProjectFile {

inline constexpr std::u16string_view kParseFailed = CProjectFileWrapper::kParseFailed;
inline constexpr std::u16string_view kRetiredFormat =
    u"DXML project format is no longer supported!\nPlease convert the project with an older editor first.";

// "The file <path> is not a VX-Editor project or is damaged.": a refused file says so.
std::u16string NotAProjectMessage(const std::filesystem::path& path);
// "The file <path> ended early; only what it holds was read.": a document whose root
// element never closes opens what came before its end.
std::u16string EndedEarlyMessage(const std::filesystem::path& path);

enum class OpenStatus { Ok, Unreadable, RetiredFormat, NotAProject, BadCheckValue, ParseFailed, ReadFailed };

struct OpenResult {
    OpenStatus status = OpenStatus::Ok;
    // What the person is told.
    std::u16string message;
    bool ok() const { return status == OpenStatus::Ok; }
};

inline constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n";

// The declaration, then the project's "project" element as UTF-8; empty when the
// project refuses to be written (a download runs).
std::string DocumentText(CProject& project);
// The XML text of a project file.
OpenResult ReadDocumentText(const std::filesystem::path& path, std::string& xml);
// The wrapper's bytes of an XML text, as the editor saves it.
std::string Wrap(std::string_view xml);
// Parses the text and reads it into project (loading, or importing into it).
OpenResult ReadInto(CProject& project, std::string_view xml, ProjectReading reading);
// Both, then, when loading, the project takes the path.
OpenResult Open(CProject& project, const std::filesystem::path& path, ProjectReading reading);

} // namespace CProjectFile
