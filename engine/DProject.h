#pragma once
// The running project: the target file, its pages and the input routed to them.

#include <cstdint>
#include <memory>

#include "engine/DFile.h"
#include "engine/DObject.h"
#include "foundation/DString.h"

class DPlatform;

class DProject : public DObject {
public:
    explicit DProject(DPlatform& platform) : m_platform(platform) {}
    ~DProject() override;

    // Opens and reads the target file; 0 on success. A failure prints its diagnostic line.
    [[nodiscard]] int load(const DString& path);
    void unload();

    void render() {}
    void runDeferred() {}
    void tickTime(uint32_t now) { m_lastTick = now; }
    void keyDown(uint32_t key) { m_lastKeyDown = key; }
    void keyUp(uint32_t key) { m_lastKeyUp = key; }

    uint32_t lastTick() const { return m_lastTick; }
    uint32_t lastKeyDown() const { return m_lastKeyDown; }
    uint32_t lastKeyUp() const { return m_lastKeyUp; }

private:
    DPlatform& m_platform;
    std::unique_ptr<DFile> m_file;
    uint32_t m_lastTick = 0;
    uint32_t m_lastKeyDown = 0;
    uint32_t m_lastKeyUp = 0;
};
