// vx-compile PROJECT OUT.ddd: opens PROJECT as the editor's Open does (a ".vxp" or
// ".vxt" file, or the bare XML document), compiles it as Generate does and writes
// OUT.ddd, with the output pane's lines on stdout. Exit status: 0 the target file was
// written, 1 compile errors stopped it (nothing written), 2 the project cannot be opened
// or the target cannot be written (the message on stderr).
#include <cstdio>
#include <filesystem>

#include "editor/document/CompileDiagnostic.h"
#include "editor/project/compile/CCompileStartup.h"
#include "editor/project/compile/CTargetDriver.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectFile.h"
#include "foundation/TextHelpers.h"
#include "tools/vx-compile/CommandLineProject.h"

namespace {

enum ExitCode { kWritten = 0, kCompileErrors = 1, kCannotOpen = 2 };

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vx-compile PROJECT OUT.ddd\n");
        return kCannotOpen;
    }
    const std::filesystem::path projectPath(argv[1]);
    const std::filesystem::path targetPath(argv[2]);

    const CCompileStartup startup;
    CommandLineOutput output(stdout);
    CommandLinePrompts prompts(stderr, output);
    CProject project(prompts, output);
    // No views: the model's changes keep their marks on this project alone.
    const CHeadlessConnection connection(&project);
    if (const CProjectFile::OpenResult opened = CProjectFile::Open(project, projectPath, ProjectReading::Load);
        !opened.ok()) {
        output.EndLine();
        if (!opened.message.empty())
            WriteText(stderr, opened.message);
        else
            std::fprintf(stderr, "%s: not a project this editor can open", projectPath.string().c_str());
        std::fputc('\n', stderr);
        return kCannotOpen;
    }

    CTargetDriver driver(project);
    const bool written = driver.SaveTargetBinary(targetPath);
    output.EndLine();
    if (written)
        return kWritten;
    return (driver.Result() & kCompileError) != 0 ? kCompileErrors : kCannotOpen;
}
