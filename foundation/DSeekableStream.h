#pragma once
// A byte stream that can be written, read back and repositioned: what the RIFF writer
// needs to patch sizes and check values in place.

#include <cstddef>
#include <cstdint>

class DSeekableStream {
public:
    virtual ~DSeekableStream() = default;

    // Writes at the current position, growing the stream when it passes the end.
    [[nodiscard]] virtual bool write(const void* data, std::size_t length) = 0;
    // Reads up to length bytes at the current position; returns the bytes read.
    [[nodiscard]] virtual std::size_t read(void* data, std::size_t length) = 0;
    // Positions inside the stream or at its end; false (and unmoved) beyond it.
    [[nodiscard]] virtual bool seek(uint64_t position) = 0;
    [[nodiscard]] virtual uint64_t tell() const = 0;
};
