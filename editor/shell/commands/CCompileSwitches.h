#pragma once
// The two compile switches a build sets before it compiles: premultiplied alpha (the
// project's "Pre-multi alpha" for a panel, always on for the simulator) and the
// simulator build. A switch that changes from the last build marks the target for
// rebuilding, so a panel build after a simulation never reuses the simulator's binary.

#include <cstdint>
#include <optional>

class CProject;

enum class BuildKind { Panel, Simulation };

class CCompileSwitches {
public:
    // While it lives, the project compiles with the switches of its build; the project's
    // own target flags come back when it goes.
    class Scope {
    public:
        Scope(CProject& project, int32_t savedFlags) : m_project(project), m_savedFlags(savedFlags) {}
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CProject& m_project;
        int32_t m_savedFlags;
    };

    [[nodiscard]] Scope Apply(CProject& project, BuildKind kind);
    // A new project: nothing is known of its last build.
    void Reset();

    std::optional<bool> Premultiplied() const { return m_premultiplied; }
    std::optional<bool> Simulator() const { return m_simulator; }

private:
    std::optional<bool> m_premultiplied;
    std::optional<bool> m_simulator;
};
