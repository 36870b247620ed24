#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "foundation/DCRC32.h"

namespace {

// Bit by bit, without a table: the reflected polynomial from 0, no complements.
uint32_t bitwiseCrc(const std::vector<uint8_t>& bytes)
{
    uint32_t value = 0;
    for (uint8_t byte : bytes) {
        value ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
    }
    return value;
}

const std::vector<uint8_t> kAbc{'a', 'b', 'c'};

} // namespace

TEST(DCRC32, AbcRawBytesAndPaddedBlock)
{
    DCRC32 raw;
    raw.crcUpdateBytes(kAbc);
    EXPECT_EQ(raw.value(), 0xCA6598D0u);   // not the complemented 0x352441C2

    // A block is padded with zero bytes to 4: "abc" hashes as "abc\0".
    DCRC32 block;
    block.crcUpdateBlock(kAbc);
    EXPECT_EQ(block.value(), 0x8619B74Cu);
    EXPECT_EQ(block.value(), bitwiseCrc({'a', 'b', 'c', 0}));
    EXPECT_EQ(DCRC32::ofBlock(kAbc), block.value());
}

TEST(DCRC32, TableAndWordsMatchTheBitwiseDefinition)
{
    EXPECT_EQ(DCRC32::table()[1], 0x77073096u);
    DCRC32 words;
    words.crcUpdateWord(0x04030201u);   // low byte first
    words.crcUpdateWord(0xFFEEDDCCu);
    EXPECT_EQ(words.value(), bitwiseCrc({1, 2, 3, 4, 0xCC, 0xDD, 0xEE, 0xFF}));

    DCRC32 empty;
    empty.crcUpdateBlock(nullptr, 0);
    EXPECT_EQ(empty.value(), 0u);
}

TEST(DCRC32, ComputationsInTwoThreadsDoNotMix)
{
    std::vector<uint8_t> first(100000), second(100000);
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = uint8_t(i * 7);
        second[i] = uint8_t(i * 13 + 1);
    }
    uint32_t a = 0, b = 0;
    std::thread one([&] {
        for (int round = 0; round < 20; ++round)
            a = DCRC32::ofBlock(first);
    });
    std::thread two([&] {
        for (int round = 0; round < 20; ++round)
            b = DCRC32::ofBlock(second);
    });
    one.join();
    two.join();
    EXPECT_EQ(a, bitwiseCrc(first));
    EXPECT_EQ(b, bitwiseCrc(second));
}
