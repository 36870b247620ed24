#pragma once
// The on-disk form of a project (".vxp") and a template (".vxt"): the magic "VXPR", the
// length of the XML text, a check value, then the XML text compressed as a zlib stream.
// All integers are 32-bit little-endian; the body runs to the end of the file.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CProjectFileWrapper {

inline constexpr std::string_view kMagic = "VXPR";
inline constexpr std::size_t kHeaderSize = 12;
// zlib's crc32 starts from this running value, not 0.
inline constexpr uint32_t kCheckSeed = 170;
inline constexpr int kCompressionLevel = 9;
// zlib never packs more than about 1032 bytes into one; a stored length beyond that
// ratio, or beyond this bound, is not a length any writer made.
inline constexpr uint64_t kMaxInflateRatio = 1032;
inline constexpr uint64_t kMaxXmlBytes = 1u << 30;

inline constexpr std::u16string_view kParseFailed = u"Failed to parse project file.";

enum class ReadStatus {
    Ok,
    // Refused as not a project or damaged, as a file of another kind is.
    NotAProject,       // shorter than the header, or another magic
    CheckMismatch,     // the body is not the one the check value was made over
    AbsurdLength,      // a stored XML length no compressed body of this size can give
    // "Failed to parse project file.": the body passed its check but does not inflate
    // whole into the stored length (a longer stored length is room to spare).
    Incomplete,
};

struct ReadResult {
    ReadStatus status = ReadStatus::NotAProject;
    std::string xml;
};

// The whole file for an XML text; empty when there is no text or it cannot be
// compressed (nothing is to be written then).
std::vector<uint8_t> Encode(std::string_view xml);
ReadResult Decode(std::span<const uint8_t> file);
uint32_t CheckValue(std::span<const uint8_t> body);

// Whether a failed reading shows "Failed to parse project file." (the others are
// refused as not a project).
constexpr bool ShowsParseMessage(ReadStatus status) { return status == ReadStatus::Incomplete; }

} // namespace CProjectFileWrapper
