#pragma once
// The desktop platform: the monotonic clock, the wall clock, sleeping, the project path.

#include <functional>

#include "engine/core/DLongPressKeys.h"
#include "engine/core/DPlatform.h"

class DPlatform_posix : public DPlatform {
public:
    static constexpr uint32_t kPathUnits = 259;

    DPlatform_posix();

    void start(DEngineServices& services) override { m_services = &services; }
    void tick() override;
    void sleep(uint32_t milliseconds) override;
    uint32_t ticks() override;
    int64_t wallClockSeconds() override;
    void setProjectPath(const DString& path) override;
    const DString& buildProjectPath(uint32_t number) override;
    void setInputOrigin(int, int) override {}
    void setInputOriginX(int) override {}
    void setInputOriginY(int) override {}
    std::unique_ptr<DFile> createFile() override;

    const DString& projectPath() const { return m_projectPath; }
    // The mask of long-press keys held now; the display reports the Left arrow.
    void setHeldKeysSource(std::function<uint32_t()> source) { m_heldKeys = std::move(source); }

private:
    int m_started = 1;
    DEngineServices* m_services = nullptr;
    DString m_projectPath;
    uint64_t m_clockOrigin;
    DLongPressKeys m_longPress;
    std::function<uint32_t()> m_heldKeys;
};
