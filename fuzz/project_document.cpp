// The project document reader over outside bytes: loaded into a fresh project, imported
// into one that has pages and tags, and written again. A malformed document gives a
// failed read that leaves the project as it was, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CHeadlessProject.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/project/document/CProjectPrompts.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

// Yes to the first question of each read, No to the next: both answers are taken.
class AlternatingPrompts : public CProjectPrompts {
public:
    void ShowMessage(std::u16string_view) override {}
    PromptAnswer AskYesNo(std::u16string_view) override { return (m_asked++ % 2) == 0 ? PromptAnswer::Yes : PromptAnswer::No; }

private:
    unsigned m_asked = 0;
};

constexpr std::string_view kOpenProject = R"(<?xml version="1.0" standalone="yes" encoding="UTF-8"?>
<project formatVersion="2" pageSize="320x240"><tags><integer address="10">T1</integer></tags>
<page><name>Page 1</name><pageType>Initial</pageType><object><type>button</type><tag>T1</tag></object></page></project>)";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    CSilentProjectOutput output;
    AlternatingPrompts prompts;

    CProject loaded(prompts, output);
    if (CProjectFile::ReadInto(loaded, document, ProjectReading::Load).ok())
        (void)CProjectFile::DocumentText(loaded);

    CProject open(prompts, output);
    if (!CProjectFile::ReadInto(open, kOpenProject, ProjectReading::Load).ok())
        std::abort();
    const std::string before = CProjectFile::DocumentText(open);
    const bool imported = CProjectFile::ReadInto(open, document, ProjectReading::Import).ok();
    // A failed import changes nothing.
    if (!imported && CProjectFile::DocumentText(open) != before)
        std::abort();
    return 0;
}
