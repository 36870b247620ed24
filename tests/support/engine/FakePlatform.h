#pragma once
// A platform whose clocks the test sets, and whose files are memory files.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/DFile_Memory.h"
#include "engine/core/DPlatform.h"

class FakePlatform : public DPlatform {
public:
    explicit FakePlatform(uint32_t start = 1) : now(start) {}

    void start(DEngineServices&) override {}
    void tick() override {}
    void sleep(uint32_t milliseconds) override { now += milliseconds; }
    uint32_t ticks() override { return now; }
    int64_t wallClockSeconds() override { return wallClock; }
    void setProjectPath(const DString& path) override { m_path.assign(path); }
    const DString& buildProjectPath(uint32_t) override { return m_path; }
    void setInputOrigin(int, int) override {}
    void setInputOriginX(int) override {}
    void setInputOriginY(int) override {}
    std::unique_ptr<DFile> createFile() override { return std::make_unique<DFile_Memory>(fileBytes); }

    uint32_t now;
    // Seconds since 1970: 14 November 2023, 22:13:20 UTC unless the test says otherwise.
    int64_t wallClock = 1700000000;
    // What every file this platform opens holds.
    std::vector<uint8_t> fileBytes;

private:
    DString m_path;
};
