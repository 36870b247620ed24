#pragma once
// Time, sleeping, the project path and the input origin: what the engine asks of the
// machine it runs on. All engine time comes from here, so a fake platform drives it in tests.

#include <cstdint>
#include <memory>

#include "engine/core/DObject.h"
#include "foundation/DString.h"

class DEngineServices;
class DFile;

class DPlatform : public DObject {
public:
    // From now until it is destroyed the platform serves this engine (its tick polls for it).
    virtual void start(DEngineServices& services) = 0;
    virtual void tick() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
    // The platform's 32-bit millisecond clock.
    [[nodiscard]] virtual uint32_t ticks() = 0;
    // The wall clock: seconds since 1 January 1970.
    [[nodiscard]] virtual int64_t wallClockSeconds() = 0;
    virtual void idle() {}
    virtual void setProjectPath(const DString& path) = 0;
    // The stored path's folder joined with "0x%08x" of number and ".ddd"; empty when
    // the result would not fit the path buffer.
    virtual const DString& buildProjectPath(uint32_t number) = 0;
    virtual void setInputOrigin(int x, int y) = 0;
    virtual void setInputOriginX(int x) = 0;
    virtual void setInputOriginY(int y) = 0;

    // A new closed file of this platform; null when there is no memory for it.
    [[nodiscard]] virtual std::unique_ptr<DFile> createFile() = 0;
};
