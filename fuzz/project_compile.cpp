// A whole compile of a fuzzed project document: read, compiled into memory as Generate
// does, and the target checked as whole. A malformed document gives the system's
// messages, never a crash, a hang or half a target file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/project/compile/CCompileStartup.h"
#include "editor/project/compile/CProjectCompiler.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CHeadlessProject.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "foundation/target/TargetBytes.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Themes, image library and fonts, as the editor compiles with them; once per run.
    static const CCompileStartup startup;
    CSilentProjectOutput output;
    CFixedAnswerPrompts prompts;
    CProject project(prompts, output);
    // Pictures are looked for in a folder that does not exist.
    project.SetPath("/nonexistent-vx-fuzz/project.vxp");
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    if (!CProjectFile::ReadInto(project, document, ProjectReading::Load).ok())
        return 0;
    (void)project.Tags().AllocateMemoryTags();
    const CCompiledTarget compiled = CProjectCompiler::Compile(project);
    if (compiled.bytes.empty())
        return compiled.HasErrors() ? 0 : (std::abort(), 0);
    // Whole: the outermost chunk's size covers the file exactly.
    if (compiled.bytes.size() < 12 || target::loadWord(compiled.bytes, 4) != compiled.bytes.size() - 8)
        std::abort();
    return 0;
}
