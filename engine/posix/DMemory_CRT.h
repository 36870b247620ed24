#pragma once
// The engine's one allocator over the C heap, counting allocations, releases, live
// blocks and bytes. Each block carries its requested size in a header, because the
// heap's own usable size over-reports.

#include <cstdint>

#include "foundation/DMemory.h"

class DMemory_CRT : public DMemory {
public:
    DMemory_CRT() = default;
    ~DMemory_CRT() override = default;

    void* alloc(std::size_t size) override;
    void free(void* block) override;
    void* realloc(void* block, std::size_t size) override;
    void* allocZeroed(std::size_t count, std::size_t size) override;
    void zero(void* block, std::size_t size) override;
    void copy(void* destination, const void* source, std::size_t size) override;
    int compare(const void* a, const void* b, std::size_t size) override;
    std::size_t blockSize(const void* block) const override;

    uint32_t allocations() const { return m_allocations; }
    uint32_t releases() const { return m_releases; }
    uint32_t liveBlocks() const override { return m_liveBlocks; }
    uint32_t liveBytes() const override { return m_liveBytes; }
    uint32_t peakBytes() const { return m_peakBytes; }

private:
    void counted(std::size_t size);

    uint32_t m_allocations = 0;
    uint32_t m_releases = 0;
    uint32_t m_liveBlocks = 0;
    uint32_t m_liveBytes = 0;
    uint32_t m_peakBytes = 0;
};
