#include <gtest/gtest.h>

#include <lzo/lzo1x.h>

#include <thread>
#include <vector>

#include "foundation/CCompressedBuffer.h"

namespace {

std::vector<uint8_t> decompress(const CCompressedBuffer& buffer)
{
    std::vector<uint8_t> out(buffer.uncompressedSize());
    lzo_uint written = out.size();
    const int result = lzo1x_decompress_safe(buffer.compressed().data(), buffer.compressed().size(), out.data(),
                                             &written, nullptr);
    if (result != LZO_E_OK || written != out.size())
        return {};
    return out;
}

// 800 x 480 premultiplied pixels: a gradient with some noise, like a rendered picture.
std::vector<uint8_t> panelPicture()
{
    std::vector<uint8_t> bytes(800 * 480 * 4);
    uint32_t noise = 12345;
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        noise = noise * 1103515245u + 12345u;
        const std::size_t x = (i / 4) % 800;
        bytes[i] = uint8_t(x / 4);
        bytes[i + 1] = uint8_t((i / 3200) & 0xF0);
        bytes[i + 2] = uint8_t((noise >> 24) & 3);
        bytes[i + 3] = 0xFF;
    }
    return bytes;
}

} // namespace

TEST(CCompressedBuffer, RoundTripsThroughTheCheckedDecompressor)
{
    std::vector<uint8_t> random(70001);
    uint32_t state = 1;
    for (auto& byte : random) {
        state = state * 1664525u + 1013904223u;
        byte = uint8_t(state >> 24);
    }
    const std::vector<std::vector<uint8_t>> inputs{{42}, std::vector<uint8_t>(100000, 0), random, panelPicture()};
    for (const auto& input : inputs) {
        CCompressedBuffer buffer;
        ASSERT_TRUE(buffer.Compress(input.data(), input.size()));
        EXPECT_EQ(buffer.uncompressedSize(), input.size());
        EXPECT_LE(buffer.compressedSize(), CCompressedBuffer::WorstCaseSize(input.size()));
        EXPECT_EQ(decompress(buffer), input);
    }
}

TEST(CCompressedBuffer, NothingToCompressFailsAndEmptiesTheBuffer)
{
    CCompressedBuffer buffer;
    const uint8_t byte = 1;
    ASSERT_TRUE(buffer.Compress(&byte, 1));
    EXPECT_FALSE(buffer.Compress(&byte, 0));
    EXPECT_EQ(buffer.compressedSize(), 0u);
    EXPECT_FALSE(buffer.Compress(nullptr, 10));
}

TEST(CCompressedBuffer, ScratchBufferHoldsTheWorstCase)
{
    EXPECT_EQ(CCompressedBuffer::WorstCaseSize(100000), 106317u);
    EXPECT_EQ(CCompressedBuffer::WorstCaseSize(SIZE_MAX - 10), 0u);
    CCompressedBuffer::FreeShared();
    EXPECT_EQ(CCompressedBuffer::ScratchSize(), 0u);
    const std::vector<uint8_t> input(100000, 7);
    CCompressedBuffer buffer;
    ASSERT_TRUE(buffer.Compress(input.data(), input.size()));
    EXPECT_EQ(CCompressedBuffer::ScratchSize(), 106317u);
    // Incompressible input of the worst kind still fits the bound.
    std::vector<uint8_t> noise(100000);
    uint32_t state = 99;
    for (auto& b : noise) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        b = uint8_t(state);
    }
    ASSERT_TRUE(buffer.Compress(noise.data(), noise.size()));
    EXPECT_EQ(decompress(buffer), noise);
}

TEST(CCompressedBuffer, TwoThreadsCompressAtOnce)
{
    const auto picture = panelPicture();
    std::vector<uint8_t> other(picture.rbegin(), picture.rend());
    bool firstOk = true, secondOk = true;
    auto work = [](const std::vector<uint8_t>& input, bool& ok) {
        for (int round = 0; round < 5; ++round) {
            CCompressedBuffer buffer;
            ok = ok && buffer.Compress(input.data(), input.size()) && decompress(buffer) == input;
        }
    };
    std::thread one(work, std::cref(picture), std::ref(firstOk));
    std::thread two(work, std::cref(other), std::ref(secondOk));
    one.join();
    two.join();
    EXPECT_TRUE(firstOk);
    EXPECT_TRUE(secondOk);
}
