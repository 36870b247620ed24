#include "editor/project/document/CProjectFile.h"

#include <algorithm>
#include <span>
#include <vector>

#include "editor/project/CFileAccess.h"
#include "editor/project/CProjectFileKind.h"
#include "editor/project/wrapper/CProjectFileWrapper.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

namespace CProjectFile {

namespace {

OpenResult unwrap(const std::filesystem::path& path, std::string_view file, std::string& xml)
{
    using namespace CProjectFileWrapper;
    ReadResult read = Decode(std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
    switch (read.status) {
    case ReadStatus::Ok:
        xml = std::move(read.xml);
        return {};
    case ReadStatus::NotAProject:
        return {OpenStatus::NotAProject, NotAProjectMessage(path)};
    case ReadStatus::CheckMismatch:
        return {OpenStatus::BadCheckValue, NotAProjectMessage(path)};
    case ReadStatus::AbsurdLength:
        return {OpenStatus::ReadFailed, NotAProjectMessage(path)};
    case ReadStatus::Incomplete:
        break;
    }
    return {OpenStatus::ParseFailed, std::u16string(kParseFailed)};
}

std::u16string aboutFile(const std::filesystem::path& path, std::u16string_view after)
{
    return u"The file " + path.u16string() + std::u16string(after);
}

} // namespace

std::u16string NotAProjectMessage(const std::filesystem::path& path)
{
    return aboutFile(path, u" is not a VX-Editor project or is damaged.");
}

std::u16string EndedEarlyMessage(const std::filesystem::path& path)
{
    return aboutFile(path, u" ended early; only what it holds was read.");
}

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
    if (IsRetiredProjectDocument(path))
        return {OpenStatus::RetiredFormat, std::u16string(kRetiredFormat)};
    std::string file;
    if (std::u16string error = CFileAccess::Read(path, file); !error.empty())
        return {OpenStatus::Unreadable, std::move(error)};
    if (KindOfProjectDocument(path, file) == ProjectDocumentKind::Wrapped)
        return unwrap(path, file, xml);
    xml = std::move(file);
    return {};
}

std::string Wrap(std::string_view xml)
{
    const std::vector<uint8_t> file = CProjectFileWrapper::Encode(xml);
    return {file.begin(), file.end()};
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
