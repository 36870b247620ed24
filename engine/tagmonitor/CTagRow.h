#pragma once
// One tag of the tags file as the tags dialog lists it.

#include <cstdint>
#include <string>

struct CTagRow {
    static constexpr int kUnknownType = -1;

    std::u16string name;
    std::u16string typeText; // as the file gives it
    int typeIndex = kUnknownType; // row of the character-set table
    uint32_t address = 0;         // byte offset into the tag memory
    uint32_t size = 0;            // bytes
    std::u16string sizeText;
};
