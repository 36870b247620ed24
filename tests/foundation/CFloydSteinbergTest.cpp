#include <gtest/gtest.h>

#include <vector>

#include "foundation/CFloydSteinberg.h"

namespace {

// A picture of 4-byte pixels; channel 0 takes the given values, the others 0, alpha 0x7F.
std::vector<uint8_t> picture(const std::vector<uint8_t>& channel0, std::size_t stride, uint32_t width)
{
    const std::size_t height = channel0.size() / width;
    std::vector<uint8_t> bytes(stride * height, 0xEE);
    for (std::size_t i = 0; i < channel0.size(); ++i) {
        uint8_t* pixel = bytes.data() + (i / width) * stride + (i % width) * 4;
        pixel[0] = channel0[i];
        pixel[1] = 0;
        pixel[2] = 0;
        pixel[3] = 0x7F;
    }
    return bytes;
}

int64_t fixed(int value)
{
    return int64_t(value) << 16;
}

} // namespace

TEST(CFloydSteinberg, QuantizeLevels)
{
    struct Case {
        int64_t value;
        int bits;
        int level;
    };
    const Case cases[] = {
        {fixed(100), 5, 104},          // 4 from 96 and from 104: a tie goes up
        {fixed(99), 5, 96},
        {fixed(101), 5, 104},
        {fixed(100) - 1, 5, 104},      // rounded up to 100 first
        {fixed(96) + 1, 5, 96},        // rounded up to 97, nearer 96
        {fixed(255), 5, 248},          // the highest level
        {fixed(252), 6, 252},
        {fixed(250), 4, 240},
        {fixed(232), 4, 240},
        {fixed(-20), 5, 0},
        {fixed(300), 6, 252},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFloydSteinberg::Quantize(c.value, c.bits), fixed(c.level)) << c.value << " " << c.bits;
}

TEST(CFloydSteinberg, SerpentineErrorDiffusionOnATwoByTwoPicture)
{
    // Worked by hand: row 0 goes right, row 1 left, so its right pixel is quantised first.
    const auto source = picture({100, 100, 100, 100}, 8, 2);
    std::vector<uint8_t> target(16, 0);
    CFloydSteinberg dither;
    ASSERT_TRUE(dither.Dither(2, source, 8, 2, target, 8, 5, 5));
    EXPECT_EQ(target[0], 104);
    EXPECT_EQ(target[4], 96);
    EXPECT_EQ(target[8], 96);
    EXPECT_EQ(target[12], 104);
    for (std::size_t pixel = 0; pixel < 4; ++pixel) {
        EXPECT_EQ(target[pixel * 4 + 1], 0);
        EXPECT_EQ(target[pixel * 4 + 3], 0x7F);   // alpha copied
    }
}

TEST(CFloydSteinberg, FlatAreaAveragesItsValue)
{
    constexpr uint32_t size = 32;
    const auto source = picture(std::vector<uint8_t>(size * size, 100), size * 4, size);
    std::vector<uint8_t> target(source.size());
    CFloydSteinberg dither;
    ASSERT_TRUE(dither.Dither(size, source, size * 4, size, target, size * 4, 5, 5));
    double sum = 0;
    for (std::size_t i = 0; i < size * size; ++i) {
        const uint8_t value = target[i * 4];
        EXPECT_TRUE(value == 96 || value == 104) << int(value);
        sum += value;
    }
    EXPECT_NEAR(sum / (size * size), 100.0, 0.5);
}

TEST(CFloydSteinberg, ChannelsKeepTheirBitsAndValuesAboveTheTopLevelAreCut)
{
    // One row: the first byte at 4 bits, the second always at 6, the third at 5.
    std::vector<uint8_t> source{252, 255, 252, 9};
    std::vector<uint8_t> target(4, 0);
    CFloydSteinberg dither;
    ASSERT_TRUE(dither.Dither(1, source, 4, 1, target, 4, 4, 5));
    EXPECT_EQ(target, (std::vector<uint8_t>{240, 252, 248, 9}));
}

TEST(CFloydSteinberg, WritesOnlyInsideTheTargetRows)
{
    // Rows of 3 pixels in a target of stride 16: the last 4 bytes of each row stay.
    const auto source = picture({10, 20, 30, 40, 50, 60}, 12, 3);
    std::vector<uint8_t> target(16 * 2, 0xAB);
    CFloydSteinberg dither;
    ASSERT_TRUE(dither.Dither(3, source, 12, 2, target, 16, 6, 6));
    for (std::size_t row = 0; row < 2; ++row)
        for (std::size_t i = 12; i < 16; ++i)
            EXPECT_EQ(target[row * 16 + i], 0xAB);
}

TEST(CFloydSteinberg, RefusesPicturesThatDoNotFitAndAcceptsEmptyOnes)
{
    const auto source = picture({1, 2, 3, 4}, 8, 2);
    std::vector<uint8_t> target(15, 0xAB);   // one byte short of 2 x 2 pixels
    CFloydSteinberg dither;
    EXPECT_FALSE(dither.Dither(2, source, 8, 2, target, 8, 5, 5));
    EXPECT_FALSE(dither.Dither(2, source, 8, 2, target, 4, 5, 5));   // stride shorter than a row
    EXPECT_FALSE(dither.Dither(2, std::span(source).first(12), 8, 2, std::span(target), 8, 5, 5));
    EXPECT_FALSE(dither.Dither(1, source, 8, 1, target, 8, 3, 5));   // bits out of range
    EXPECT_EQ(target, std::vector<uint8_t>(15, 0xAB));

    EXPECT_TRUE(dither.Dither(0, {}, 0, 5, {}, 0, 5, 5));
    EXPECT_TRUE(dither.Dither(5, {}, 20, 0, {}, 20, 5, 5));
}
