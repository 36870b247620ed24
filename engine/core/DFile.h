#pragma once
// A read-only file with a stack of read limits. A reader pushes the end of the record it
// hands to a widget; any read that would cross the top limit fails with status 3 and
// reads nothing. Statuses: 0 success, 1 failure, 3 beyond the limit.

#include <array>
#include <cstdint>

#include "engine/core/DObject.h"
#include "foundation/DString.h"

class DFile : public DObject {
public:
    enum Origin : int { FromStart = 0, FromCurrent = 1 };
    static constexpr int kMaxLimits = 5;

    [[nodiscard]] virtual bool isOpen() const = 0;
    [[nodiscard]] virtual int open(const DString& path) = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual int seek(int64_t offset, int origin) = 0;
    [[nodiscard]] virtual uint32_t tell() const = 0;
    // Bytes in the file, for bounding what a record claims before anything is allocated.
    [[nodiscard]] virtual uint64_t size() const = 0;
    // Reads count bytes; a count that is not a multiple of 4 then skips to the next
    // multiple of 4 from the read's start.
    [[nodiscard]] int read(void* buffer, uint32_t count);

    // Pushes an absolute end position; a limit never reaches past the one below it.
    // Returns false when the stack is full.
    [[nodiscard]] bool pushLimit(uint64_t end);
    void popLimit();
    [[nodiscard]] int limitDepth() const { return m_top + 1; }
    // The top limit, or UINT64_MAX without one.
    [[nodiscard]] uint64_t currentLimit() const;

protected:
    // Platform reads of exactly count bytes at the current position: 0 or 1.
    [[nodiscard]] virtual int readRaw(void* buffer, uint32_t count) = 0;
    [[nodiscard]] virtual uint64_t position() const = 0;
    void clearLimits() { m_top = -1; }

private:
    std::array<uint64_t, kMaxLimits> m_limits{};
    int m_top = -1;
};

// Reads one little-endian 32-bit word.
[[nodiscard]] int readWord(DFile& file, uint32_t& word);

// A pushed limit that pops itself; check pushed() before reading.
class DFileLimit {
public:
    DFileLimit(DFile& file, uint64_t end) : m_file(file), m_pushed(file.pushLimit(end)) {}
    ~DFileLimit()
    {
        if (m_pushed)
            m_file.popLimit();
    }
    DFileLimit(const DFileLimit&) = delete;
    DFileLimit& operator=(const DFileLimit&) = delete;
    [[nodiscard]] bool pushed() const { return m_pushed; }

private:
    DFile& m_file;
    bool m_pushed;
};
