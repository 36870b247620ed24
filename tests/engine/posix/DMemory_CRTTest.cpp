#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/DObject.h"
#include "engine/posix/DMemory_CRT.h"
#include "foundation/DString.h"

TEST(DMemory_CRT, CountersFollowEveryCall)
{
    DMemory_CRT memory;
    void* a = memory.alloc(100);
    void* b = memory.allocZeroed(10, 3);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(memory.liveBlocks(), 2u);
    EXPECT_EQ(memory.liveBytes(), 130u);
    EXPECT_EQ(memory.blockSize(a), 100u);
    EXPECT_EQ(static_cast<unsigned char*>(b)[29], 0);

    a = memory.realloc(a, 40);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(memory.liveBytes(), 70u);
    EXPECT_EQ(memory.peakBytes(), 130u);
    EXPECT_EQ(memory.allocations(), 3u);
    EXPECT_EQ(memory.releases(), 1u);
    EXPECT_EQ(memory.liveBlocks(), 2u);

    memory.free(a);
    memory.free(b);
    memory.free(nullptr); // no-op, not counted
    EXPECT_EQ(memory.liveBlocks(), 0u);
    EXPECT_EQ(memory.liveBytes(), 0u);
    EXPECT_EQ(memory.releases(), 3u);
}

TEST(DMemory_CRT, FailedReallocLeavesBlockAndCounters)
{
    DMemory_CRT memory;
    auto* block = static_cast<char*>(memory.alloc(8));
    std::memcpy(block, "1234567", 8);
    EXPECT_EQ(memory.realloc(block, SIZE_MAX - 4), nullptr);
    EXPECT_EQ(memory.liveBytes(), 8u);
    EXPECT_EQ(memory.allocations(), 1u);
    EXPECT_EQ(memory.releases(), 0u);
    EXPECT_STREQ(block, "1234567");
    EXPECT_EQ(memory.alloc(SIZE_MAX), nullptr);
    EXPECT_EQ(memory.allocZeroed(SIZE_MAX / 2, 4), nullptr);
    memory.free(block);
    EXPECT_EQ(memory.liveBlocks(), 0u);
}

TEST(DMemory_CRT, CompareByFirstDifferingByte)
{
    DMemory_CRT memory;
    struct Case {
        const char* a;
        const char* b;
        std::size_t size;
        int result;
    };
    const Case cases[] = {
        {"abc\x01", "abc\x02", 4, -1},
        {"abc\x01", "abc\x02", 3, 0},
        {"abcd\xf0", "abcd\x10", 5, 1}, // bytes taken unsigned
        {"abcdefgh", "abcdefgh", 8, 0},
        {"x", "y", 0, 0},
        {"abcdeXgh", "abcdeYgh", 8, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(memory.compare(c.a, c.b, c.size), c.result) << c.a << " " << c.size;
}

TEST(DMemory_CRT, EngineObjectsAndStringsAreCounted)
{
    DMemory_CRT memory;
    DMemory::setGlobal(&memory);
    {
        struct Probe : DObject {
            int value = 5;
        };
        auto* probe = new Probe();
        DString text(u"counted");
        EXPECT_EQ(memory.liveBlocks(), 2u);
        text.append(u" and grown beyond its first capacity");
        EXPECT_EQ(memory.liveBlocks(), 2u);
        delete probe;
    }
    DMemory::setGlobal(nullptr);
    EXPECT_EQ(memory.liveBlocks(), 0u);
    EXPECT_EQ(memory.liveBytes(), 0u);
}
