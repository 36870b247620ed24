#pragma once
// Long-press polling: a key held for 500 ms sends its key-down once, and its key-up
// 500 ms after release. Only the Left arrow is reported held on the desktop.

#include <array>
#include <cstdint>

class DInputSink;

class DLongPressKeys {
public:
    static constexpr uint32_t kHoldMilliseconds = 500;
    static constexpr uint32_t kLeftMask = 32;

    DLongPressKeys();
    // pressedMask: the mask bits of the keys held now.
    void poll(uint32_t now, uint32_t pressedMask, DInputSink& input);

private:
    struct Record {
        uint32_t key;
        uint32_t mask;
        bool down = false;
        uint32_t downTime = 0;
        bool holdSent = false;
        bool up = true;
        uint32_t upTime = 0;
        bool upSent = true;
    };
    uint32_t m_mask = 0;
    std::array<Record, 4> m_records;
};
