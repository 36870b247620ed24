#pragma once
// A project of its own behind the program's headless connection, for the model's tests:
// they see a change by the marks it leaves on the project.

#include "editor/project/document/CHeadlessConnection.h"
#include "editor/project/document/CHeadlessProject.h"
#include "editor/project/document/CProject.h"

namespace vx::test {

// The program's headless connection over a project of its own: a change marks it.
struct MarkedProject {
    CSilentProjectOutput output;
    CFixedAnswerPrompts prompts;
    CProject project{prompts, output};
    CHeadlessConnection connection{&project};
    // Whether a change marked the project since the last look; the mark is cleared.
    bool Marked()
    {
        const bool marked = project.IsModified() && project.IsTargetStale();
        project.SetModified(false);
        project.ClearTargetStale();
        return marked;
    }
};

} // namespace vx::test
