#include "editor/shell/commands/CCompileSwitches.h"

#include "editor/project/document/CProject.h"
#include "foundation/target/TargetFormat.h"

CCompileSwitches::Scope::~Scope()
{
    m_project.Settings().target.targetFlags = m_savedFlags;
}

CCompileSwitches::Scope CCompileSwitches::Apply(CProject& project, BuildKind kind)
{
    int32_t& flags = project.Settings().target.targetFlags;
    const int32_t saved = flags;
    const bool simulator = kind == BuildKind::Simulation;
    const bool premultiplied = simulator || (uint32_t(flags) & target::kTargetFlagPremultiply) != 0;
    if (m_premultiplied != premultiplied || m_simulator != simulator)
        project.MarkTargetStale();
    m_premultiplied = premultiplied;
    m_simulator = simulator;
    if (premultiplied)
        flags = int32_t(uint32_t(flags) | target::kTargetFlagPremultiply);
    return Scope(project, saved);
}

void CCompileSwitches::Reset()
{
    m_premultiplied.reset();
    m_simulator.reset();
}
