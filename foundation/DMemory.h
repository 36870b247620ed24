#pragma once
// The counted allocator interface. The engine installs one process-wide allocator
// (DMemory_CRT) through which every engine object and string buffer is taken; the
// editor installs none, and dAlloc and friends then fall back to the C heap.

#include <cstddef>
#include <cstdint>

class DMemory {
public:
    virtual ~DMemory() = default;
    virtual void* alloc(std::size_t size) = 0;
    virtual void free(void* block) = 0;
    virtual void* realloc(void* block, std::size_t size) = 0;
    virtual void* allocZeroed(std::size_t count, std::size_t size) = 0;
    virtual void zero(void* block, std::size_t size) = 0;
    virtual void copy(void* destination, const void* source, std::size_t size) = 0;
    [[nodiscard]] virtual int compare(const void* a, const void* b, std::size_t size) = 0;
    [[nodiscard]] virtual std::size_t blockSize(const void* block) const = 0;
    // What is held now, for the engine's allocator tags; an allocator that keeps no
    // count reports 0.
    [[nodiscard]] virtual uint32_t liveBlocks() const { return 0; }
    [[nodiscard]] virtual uint32_t liveBytes() const { return 0; }

    // The process-wide allocator, or null when none is installed.
    static DMemory* global() { return s_global; }
    static void setGlobal(DMemory* memory) { s_global = memory; }

private:
    static inline DMemory* s_global = nullptr;
};

// Allocation through the installed allocator, or the C heap without one.
void* dAlloc(std::size_t size);
void* dRealloc(void* block, std::size_t size);
void dFree(void* block);
