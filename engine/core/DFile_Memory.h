#pragma once
// A file over bytes in memory: the test double of the target file, and a way to run a
// target file that is already loaded.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/core/DFile.h"

class DFile_Memory : public DFile {
public:
    DFile_Memory() = default;
    // A copy of the bytes.
    explicit DFile_Memory(std::span<const uint8_t> bytes) : m_bytes(bytes.begin(), bytes.end()), m_view(m_bytes) {}
    // Bytes that outlive the file, read in place.
    enum class Borrow { InPlace };
    DFile_Memory(std::span<const uint8_t> bytes, Borrow) : m_view(bytes) {}

    DFile_Memory(const DFile_Memory&) = delete;
    DFile_Memory& operator=(const DFile_Memory&) = delete;

    // The bytes that open() makes readable, whatever the path.
    void setBytes(std::span<const uint8_t> bytes)
    {
        m_bytes.assign(bytes.begin(), bytes.end());
        m_view = m_bytes;
    }

    bool isOpen() const override { return m_open; }
    int open(const DString& path) override;
    void close() override;
    int seek(int64_t offset, int origin) override;
    uint32_t tell() const override { return uint32_t(m_position); }
    uint64_t size() const override { return m_view.size(); }

protected:
    int readRaw(void* buffer, uint32_t count) override;
    uint64_t position() const override { return m_position; }

private:
    std::vector<uint8_t> m_bytes;
    std::span<const uint8_t> m_view;
    uint64_t m_position = 0;
    bool m_open = false;
};
