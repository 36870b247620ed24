#pragma once
// The triggers of a widget or page background, compiled from its action script.

#include <cstdint>

#include "engine/DObject.h"

class DFile;
class DProject;

class DActionList : public DObject {
public:
    explicit DActionList(DProject* project) : m_project(project) {}

    [[nodiscard]] int load(DFile& file);
    // Runs every trigger of the event (for key events, of the key); 0 when one matched,
    // 2 when none. queryOnly tells whether one would match without running it.
    int fire(uint32_t event, uint32_t key, bool queryOnly);

    DProject* project() const { return m_project; }

private:
    DProject* m_project;
};
