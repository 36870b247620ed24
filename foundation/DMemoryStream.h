#pragma once
// The in-memory file a target binary is assembled in before it is saved or sent.

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/DSeekableStream.h"

class DMemoryStream : public DSeekableStream {
public:
    // Room is reserved in steps of this many bytes at least, so a growing target
    // file is not copied on every chunk.
    static constexpr std::size_t kGrowthStep = 1u << 20;

    DMemoryStream() = default;
    explicit DMemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    [[nodiscard]] bool write(const void* data, std::size_t length) override;
    [[nodiscard]] std::size_t read(void* data, std::size_t length) override;
    [[nodiscard]] bool seek(uint64_t position) override;
    [[nodiscard]] uint64_t tell() const override { return m_position; }

    [[nodiscard]] std::span<const uint8_t> bytes() const { return m_bytes; }
    [[nodiscard]] std::size_t size() const { return m_bytes.size(); }
    // Hands the bytes over and leaves the stream empty.
    [[nodiscard]] std::vector<uint8_t> take();

private:
    std::vector<uint8_t> m_bytes;
    std::size_t m_position = 0;
};
