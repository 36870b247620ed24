#include "editor/project/document/CProjectFile.h"

#include <zlib.h>

#include <limits>

#include <algorithm>
#include <array>

#include "editor/project/CFileAccess.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

namespace CProjectFile {

namespace {

constexpr std::array<char, 4> kMagic{'V', 'X', 'P', 'R'};
constexpr int kCompressionLevel = 9;

std::string lowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return extension;
}

uint32_t loadWord(std::string_view bytes, std::size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

void storeWord(std::string& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(char(uint8_t(value >> shift)));
}

uint32_t wrapperCrc(std::string_view body)
{
    return uint32_t(crc32(kWrapperCrcStart, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
}

OpenResult unwrap(std::string_view file, std::string& xml)
{
    if (file.size() < kWrapperHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), file.begin()))
        return {OpenStatus::NotAProject, {}};
    const uint32_t length = loadWord(file, 4);
    const uint32_t check = loadWord(file, 8);
    const std::string_view body = file.substr(kWrapperHeaderSize);
    if (body.size() > std::numeric_limits<uInt>::max() || wrapperCrc(body) != check)
        return {OpenStatus::BadCheckValue, {}};
    if (length > kMaxXmlBytes)
        return {OpenStatus::ReadFailed, {}};
    xml.assign(length, '\0');
    uLongf produced = length;
    if (uncompress(reinterpret_cast<Bytef*>(xml.data()), &produced, reinterpret_cast<const Bytef*>(body.data()),
                   uLong(body.size())) != Z_OK
        || produced != length)
        return {OpenStatus::ParseFailed, std::u16string(kParseFailed)};
    return {};
}

} // namespace

std::string DocumentText(CProject& project)
{
    DXMLElement document;
    if (!project.WriteXml(document))
        return {};
    std::string text(kDeclaration);
    for (const auto& child : document.children())
        child->write(text);
    return text;
}

OpenResult ReadDocumentText(const std::filesystem::path& path, std::string& xml)
{
    const std::string extension = lowerExtension(path);
    if (extension == ".dxml")
        return {OpenStatus::RetiredFormat, std::u16string(kRetiredFormat)};
    std::string file;
    if (std::u16string error = CFileAccess::Read(path, file); !error.empty())
        return {OpenStatus::Unreadable, std::move(error)};
    if (extension == ".vxp" || extension == ".vxt")
        return unwrap(file, xml);
    xml = std::move(file);
    return {};
}

std::string Wrap(std::string_view xml)
{
    uLongf bound = compressBound(uLong(xml.size()));
    std::string body(bound, '\0');
    if (compress2(reinterpret_cast<Bytef*>(body.data()), &bound, reinterpret_cast<const Bytef*>(xml.data()),
                  uLong(xml.size()), kCompressionLevel)
        != Z_OK)
        return {};
    body.resize(bound);
    std::string bytes(kMagic.begin(), kMagic.end());
    storeWord(bytes, uint32_t(xml.size()));
    storeWord(bytes, wrapperCrc(body));
    return bytes + body;
}

OpenResult ReadInto(CProject& project, std::string_view xml, ProjectReading reading)
{
    DXMLParser parser(xml.data(), xml.size());
    (void)parser.parse();
    const ProjectReadResult read = project.ReadXml(parser.root(), reading);
    if (read.status == ProjectReadStatus::NoProjectElement)
        return {OpenStatus::ParseFailed, std::u16string(kParseFailed)};
    if (!read.ok())
        return {OpenStatus::ReadFailed, {}};
    return {};
}

OpenResult Open(CProject& project, const std::filesystem::path& path, ProjectReading reading)
{
    std::string xml;
    if (OpenResult opened = ReadDocumentText(path, xml); !opened.ok())
        return opened;
    OpenResult read = ReadInto(project, xml, reading);
    if (read.ok() && reading == ProjectReading::Load) {
        project.SetPath(path);
        project.SetModified(false);
    }
    return read;
}

} // namespace CProjectFile
