// The "tags" element of a project document (the editor's own form, older "tag%d" rows
// and string type names) over outside bytes, then written in the project's form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/tags/CProjectTags.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DXMLParser parser(reinterpret_cast<const char*>(data), size);
    (void)parser.parse();
    CTagsModel model;
    for (const auto& root : parser.root().children())
        CProjectTags::ReadTags(*root, model, TagsReading::Load, IdenticalTags::Keep);
    DXMLElement project(u"project");
    CProjectTags::WriteTags(project, model, TagsForm::Project, 11);
    std::string bytes;
    project.write(bytes);
    return 0;
}
