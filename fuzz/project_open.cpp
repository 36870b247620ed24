// Opening a ".vxp"/".vxt" file as the editor's Open does: the file read by its path,
// header, check value and inflate, the parse, the first pass (the document's version)
// and the second, as a load into a fresh project and as an import into an open one. The
// first byte says whether the rest is the file itself or an XML text to be wrapped, so
// documents reach the passes past the check value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CHeadlessProject.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/project/document/CProjectSettings.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

constexpr std::string_view kOpenProject = R"(<?xml version="1.0" standalone="yes" encoding="UTF-8"?>
<project formatVersion="2" pageSize="320x240"><tags><integer address="10">T1</integer></tags>
<page><name>Page 1</name><object><type>text</type><objectName>text-1</objectName></object></page></project>)";

// The file each input is written to, removed when the process ends.
struct ScratchFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vx-fuzz-open-" + std::to_string(::getpid()) + ".vxp");
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::filesystem::path& filePath()
{
    static const ScratchFile file;
    return file.path;
}

// The passes of an open over the file's text; false when the file was refused.
bool open(CProject& project, ProjectReading reading)
{
    std::string xml;
    if (!CProjectFile::ReadDocumentText(filePath(), xml).ok())
        return false;
    DXMLParser parser(xml.data(), xml.size());
    (void)parser.parse();
    const DXMLElement* root = parser.root().getChild(CProject::kRootName);
    if (!root)
        return false;
    (void)CProjectSettings::ReadFormatVersion(*root);
    return project.ReadXml(parser.root(), reading).ok();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    {
        std::ofstream out(filePath(), std::ios::binary | std::ios::trunc);
        if ((data[0] & 1) != 0)
            out << CProjectFile::Wrap(rest);
        else
            out << rest;
    }
    CSilentProjectOutput output;
    CFixedAnswerPrompts prompts(PromptAnswer::Yes);

    CProject loaded(prompts, output);
    if (open(loaded, ProjectReading::Load))
        (void)CProjectFile::DocumentText(loaded);

    CProject current(prompts, output);
    if (!CProjectFile::ReadInto(current, kOpenProject, ProjectReading::Load).ok())
        std::abort();
    const std::string before = CProjectFile::DocumentText(current);
    // A refused file leaves the open project as it was.
    if (!open(current, ProjectReading::Import) && CProjectFile::DocumentText(current) != before)
        std::abort();
    return 0;
}
