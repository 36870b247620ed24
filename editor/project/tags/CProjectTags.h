#pragma once
// The project's tags outside the target file: the "tags" element of the project
// document, tags files (".dctags" for the user, "dtags" beside a target for the
// engine's tags dialog) and the memory listing (".tags").

#include <cstdint>
#include <filesystem>
#include <string>

#include "editor/document/CTagsModel.h"

class DXMLElement;

enum class TagsForm { Project, File };
enum class TagsReading { Load, Import };
enum class TagsPath { Exact, BesideTarget };

namespace CProjectTags {

inline constexpr int32_t kMinSize = 1;
inline constexpr int32_t kMaxSize = 65535;
inline constexpr std::u16string_view kParseFailed = u"Failed to parse tags file.";
inline constexpr std::u16string_view kMergeQuestion =
    u"Do you want to merge all tags identical to the tags in current project?\n\nTags are identical if they have the "
    u"same name, type, size and address.\n\nIf you select NO, you can use Merge Identical tags in Tags window\n"
    u"afterwards to merge selected identical tags.";

// Appends "tags". The file form leaves out rows without an address, gives a placed
// "memory" row its address as "auto" and names "native-encoding" by the encoding;
// with checkMemory it also leaves out rows that reach past the tag memory.
enum class MemoryCheck { None, WithinTagMemory };
void WriteTags(DXMLElement& parent, const CTagsModel& model, TagsForm form, uint32_t nativeEncoding,
               MemoryCheck check = MemoryCheck::None);
// Reads root's "tags" child; nothing happens without one. Loading empties the model
// first; importing adds, joining identical rows when identical is Merge.
void ReadTags(const DXMLElement& root, CTagsModel& model, TagsReading reading, IdenticalTags identical);

// A tags file's bytes; "memory" rows are placed first. A "dtags" path (by extension)
// keeps only rows within the tag memory, as the engine reads them.
std::string TagsFileBytes(CTagsModel& model, uint32_t nativeEncoding, MemoryCheck check);
bool ParseTagsFile(std::string_view bytes, CTagsModel& model, TagsReading reading, IdenticalTags identical);
// Empty on success, else the message to show; the model is unchanged on failure.
std::u16string WriteTagsFile(const std::filesystem::path& path, CTagsModel& model, uint32_t nativeEncoding);
// BesideTarget: the extension after the last "." becomes "dtags"; a path without "."
// is refused silently (empty message, nothing read).
std::u16string LoadTagsFile(const std::filesystem::path& path, TagsPath exactness, CTagsModel& model,
                            TagsReading reading, IdenticalTags identical);
// The memory listing in the ANSI code page; places the "memory" rows.
std::u16string WriteTagListing(const std::filesystem::path& path, CTagsModel& model);
std::string ListingBytes(std::u16string_view listing);

} // namespace CProjectTags
