#pragma once
// A bounded reader over the bytes of a target file in memory, with the read contract of
// the engine's file: read(buffer, count) returns 0, 1 when the bytes are not there, or 3
// when the read would cross the innermost pushed limit; a count that is not a multiple
// of 4 then skips to the next multiple of 4. Nothing is read on failure.

#include <cstdint>
#include <span>
#include <vector>

namespace target {

class TargetSpanReader {
public:
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kBeyondLimit = 3;

    explicit TargetSpanReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    [[nodiscard]] int read(void* buffer, uint32_t count);
    // Absolute positions up to the end of the bytes.
    [[nodiscard]] int seek(uint64_t position);
    [[nodiscard]] uint64_t tell() const { return m_position; }
    [[nodiscard]] uint64_t size() const { return m_bytes.size(); }

    // A limit never reaches past the one below it.
    void pushLimit(uint64_t end);
    void popLimit();
    [[nodiscard]] uint64_t currentLimit() const;

private:
    std::span<const uint8_t> m_bytes;
    uint64_t m_position = 0;
    std::vector<uint64_t> m_limits;
};

} // namespace target
