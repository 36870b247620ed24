// Every faster pixel loop against the plain one, bit for bit: random pictures, every width
// from 0 to 67, every alignment of source and destination within 64 bytes, and the alphas
// where the arithmetic turns (0, 1, 127, 128, 254, 255).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "engine/render/DPixelLoops.h"
#include "engine/render/DRendererBitmap.h"

namespace {

constexpr uint32_t kEdgeAlphas[] = {0, 1, 127, 128, 254, 255};
constexpr std::size_t kWidestRow = 67;
constexpr std::size_t kAlignments = 16; // pixels of 4 bytes in 64, the widest store

class PixelPathTest : public testing::TestWithParam<DPixelPath> {
protected:
    void SetUp() override
    {
        if (!DPixelLoops::available(GetParam()))
            GTEST_SKIP() << "the processor lacks this path";
        loops = &DPixelLoops::of(GetParam());
        ASSERT_EQ(loops->path, GetParam());
    }

    // A pixel of one of the edge alphas, or any alpha; premultiplied mostly, but now and
    // then with channels above their alpha, whose overflow the loops must wrap alike.
    uint32_t randomPixel()
    {
        const uint32_t alpha = random() % 3 ? kEdgeAlphas[random() % std::size(kEdgeAlphas)] : random() & 0xFF;
        uint32_t pixel = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t limit = random() % 8 ? alpha : 255;
            pixel |= (random() % (limit + 1)) << shift;
        }
        return pixel;
    }

    // Rows the vector tests find whole: runs of one edge alpha, with mixed pixels between.
    std::vector<uint32_t> randomRow(std::size_t count)
    {
        std::vector<uint32_t> row(count);
        for (std::size_t x = 0; x < count;) {
            const std::size_t run = std::min<std::size_t>(count - x, 1 + random() % 12);
            const int kind = int(random() % 3);
            for (std::size_t i = 0; i < run; ++i, ++x) {
                if (kind == 0)
                    row[x] = random() & 0x00FFFFFFu; // transparent, colour left over
                else if (kind == 1)
                    row[x] = 0xFF000000u | (random() & 0x00FFFFFFu);
                else
                    row[x] = randomPixel();
            }
        }
        return row;
    }

    std::mt19937 random{2024};
    const DPixelLoops* loops = nullptr;
};

TEST_P(PixelPathTest, BlendOverMatchesThePlainLoop)
{
    for (std::size_t width = 0; width <= kWidestRow; ++width)
        for (std::size_t sourceShift = 0; sourceShift < kAlignments; ++sourceShift)
            for (std::size_t targetShift = 0; targetShift < kAlignments; ++targetShift) {
                const std::vector<uint32_t> source = randomRow(width + sourceShift);
                std::vector<uint32_t> expected = randomRow(width + targetShift);
                std::vector<uint32_t> actual = expected;
                const auto* in = reinterpret_cast<const uint8_t*>(source.data() + sourceShift);
                plainloops::blendOver(reinterpret_cast<uint8_t*>(expected.data() + targetShift), in, width);
                loops->rowLoop(DBlend::Over, 4, 4)(reinterpret_cast<uint8_t*>(actual.data() + targetShift), in,
                                                    width);
                ASSERT_EQ(actual, expected) << "width " << width << ", source at " << sourceShift
                                            << ", destination at " << targetShift;
            }
}

TEST_P(PixelPathTest, EveryEdgeAlphaOverEveryDestinationByte)
{
    // Each edge alpha with every channel value, over every destination byte value; the
    // alphas take turns, so no group of pixels is skipped or copied whole.
    std::vector<uint32_t> source, destination;
    for (uint32_t channel = 0; channel < 256; ++channel)
        for (uint32_t below = 0; below < 256; below += 15)
            for (uint32_t alpha : kEdgeAlphas) {
                source.push_back(alpha << 24 | channel << 16 | (channel ^ 0x5A) << 8 | (255 - channel));
                destination.push_back(below * 0x01010101u ^ channel);
            }
    std::vector<uint32_t> expected = destination;
    const auto* in = reinterpret_cast<const uint8_t*>(source.data());
    plainloops::blendOver(reinterpret_cast<uint8_t*>(expected.data()), in, source.size());
    loops->rowLoop(DBlend::Over, 4, 4)(reinterpret_cast<uint8_t*>(destination.data()), in, source.size());
    EXPECT_EQ(destination, expected);
}

// Both fills, opaque colours stored and translucent ones blended, against the plain
// loops; guard pixels on both sides show a store that runs past the row. Runs from the
// length where the processor's string store takes over are filled too.
TEST_P(PixelPathTest, FillsMatchThePlainLoops)
{
    constexpr std::size_t kGuard = 16;
    std::vector<std::size_t> widths;
    for (std::size_t width = 0; width <= kWidestRow; ++width)
        widths.push_back(width);
    for (std::size_t width : {kLongFillPixels - 1, kLongFillPixels, kLongFillPixels + kWidestRow})
        widths.push_back(width);
    const struct {
        const char* name;
        DFillLoop plain;
        DFillLoop DPixelLoops::*fast;
        bool opaque;
    } fills[] = {
        {"opaque", plainloops::fillOpaque, &DPixelLoops::fillOpaque, true},
        {"translucent", plainloops::fillOver, &DPixelLoops::fillOver, false},
    };
    for (const auto& fill : fills)
        for (uint32_t alpha : kEdgeAlphas) {
            if (alpha == 255 && !fill.opaque)
                continue; // an opaque colour is stored, never blended
            for (std::size_t width : widths)
                for (std::size_t shift = 0; shift < kAlignments; ++shift) {
                    const uint32_t colour = alpha << 24 | (random() & 0x00FFFFFFu);
                    std::vector<uint32_t> expected = randomRow(shift + width + kGuard);
                    std::vector<uint32_t> actual = expected;
                    fill.plain(expected.data() + shift, colour, width);
                    (loops->*fill.fast)(actual.data() + shift, colour, width);
                    ASSERT_EQ(actual, expected) << fill.name << std::hex << ", colour " << colour << std::dec
                                                << ", width " << width << ", at " << shift;
                }
        }
}

// Whole pictures through the renderer: blits of random clips and positions, and text,
// drawn once with the plain loops and once with the path, give the same pixels.
TEST_P(PixelPathTest, RendererBlitsMatchThePlainLoops)
{
    DRendererBitmap plain, fast;
    plain.setPixelPath(DPixelPath::Plain);
    fast.setPixelPath(GetParam());
    ASSERT_EQ(fast.pixelPath(), GetParam());
    constexpr int32_t kSide = 80;
    DBitmap picture, expected, actual;
    ASSERT_EQ(picture.allocate({kSide - 13, kSide - 5}, 4), 0);
    ASSERT_EQ(expected.allocate({kSide, kSide}, 4), 0);
    ASSERT_EQ(actual.allocate({kSide, kSide}, 4), 0);
    for (int32_t y = 0; y < picture.size().height; ++y) {
        const std::vector<uint32_t> row = randomRow(std::size_t(picture.size().width));
        std::copy(row.begin(), row.end(), reinterpret_cast<uint32_t*>(picture.row(y)));
    }
    for (int round = 0; round < 200; ++round) {
        const int32_t left = int32_t(random() % 100) - 10, top = int32_t(random() % 100) - 10;
        const DRect clip{left, top, left + int32_t(random() % 70), top + int32_t(random() % 70)};
        const DPoint at{int32_t(random() % 20) - 5, int32_t(random() % 20) - 5};
        if (round % 4 == 0) {
            const uint32_t colour = kEdgeAlphas[random() % 5] << 24 | (random() & 0x00FFFFFFu);
            plain.fillRectOn(&expected, colour, clip, DFillMode::Blend);
            fast.fillRectOn(&actual, colour, clip, DFillMode::Blend);
        } else {
            plain.blit(&expected, &picture, clip, at, 0);
            fast.blit(&actual, &picture, clip, at, 0);
        }
        ASSERT_TRUE(std::equal(expected.pixels(), expected.pixels() + std::size_t(expected.stride()) * kSide,
                               actual.pixels()))
            << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, PixelPathTest, testing::Values(DPixelPath::Sse2, DPixelPath::Avx2),
                         [](const testing::TestParamInfo<DPixelPath>& info) {
                             return info.param == DPixelPath::Avx2 ? "Avx2" : "Sse2";
                         });

TEST(DPixelLoops, APathThatIsMissingFallsBackToTheFastestThereIs)
{
    EXPECT_TRUE(DPixelLoops::available(DPixelPath::Plain));
    EXPECT_EQ(DPixelLoops::of(DPixelPath::Plain).path, DPixelPath::Plain);
    EXPECT_TRUE(DPixelLoops::available(DPixelLoops::fastest()));
    for (DPixelPath path : {DPixelPath::Sse2, DPixelPath::Avx2})
        EXPECT_EQ(DPixelLoops::of(path).path, DPixelLoops::available(path) ? path : DPixelLoops::fastest());
    // The renderer starts on the fastest.
    EXPECT_EQ(DRendererBitmap().pixelPath(), DPixelLoops::fastest());
}

TEST(DPixelLoops, EveryFormatAndModeHasItsLoop)
{
    const DPixelLoops& loops = DPixelLoops::of(DPixelLoops::fastest());
    for (DBlend blend : {DBlend::Over, DBlend::Copy}) {
        EXPECT_NE(loops.rowLoop(blend, 4, 4), nullptr);
        EXPECT_NE(loops.rowLoop(blend, 1, 4), nullptr);
        EXPECT_NE(loops.rowLoop(blend, 1, 1), nullptr);
        EXPECT_EQ(loops.rowLoop(blend, 4, 1), nullptr); // colour onto grey draws nothing
        EXPECT_EQ(loops.rowLoop(blend, 2, 4), nullptr);
    }
    uint8_t grey[2] = {0x10, 0xF0};
    uint32_t words[2] = {};
    loops.rowLoop(DBlend::Over, 1, 4)(reinterpret_cast<uint8_t*>(words), grey, 2);
    EXPECT_EQ(words[0], 0xFF101010u);
    EXPECT_EQ(words[1], 0xFFF0F0F0u);
}

// The turned copy of the renderer against the per-pixel test it skips for rows inside.
TEST(DPixelLoops, TurnedCopyMatchesThePixelByPixelTest)
{
    std::mt19937 random(7);
    DBitmap needle;
    ASSERT_EQ(needle.allocate({9, 31}, 4), 0);
    for (int32_t y = 0; y < 31; ++y)
        for (int32_t x = 0; x < 9; ++x)
            reinterpret_cast<uint32_t*>(needle.row(y))[x] = random() | 1;
    DRendererBitmap renderer;
    for (int round = 0; round < 300; ++round) {
        const DPoint position{int32_t(random() % 60) - 10, int32_t(random() % 60) - 10};
        const DPoint offset{int32_t(random() % 9), int32_t(random() % 31)};
        const double angle = double(random() % 6284) / 1000.0;
        DBitmap actual;
        ASSERT_EQ(actual.allocate({40, 40}, 4), 0);
        renderer.drawTransformed(&actual, &needle, position, offset, angle);

        std::vector<uint32_t> expected(40 * 40, 0);
        const int64_t cosine = int64_t(std::floor(std::cos(angle) * 65536.0 + 0.5));
        const int64_t sine = int64_t(std::floor(std::sin(angle) * 65536.0 + 0.5));
        const int64_t startX = (int64_t(position.x) << 16) - offset.x * cosine + offset.y * sine;
        const int64_t startY = (int64_t(position.y) << 16) - offset.x * sine - offset.y * cosine;
        for (int32_t row = 0; row < 31; ++row)
            for (int32_t column = 0; column < 9; ++column) {
                const int64_t x = (startX - row * sine + column * cosine) >> 16;
                const int64_t y = (startY + row * cosine + column * sine) >> 16;
                if (x < 0 || x >= 40 || y < 0 || y >= 40)
                    continue;
                const uint32_t value = reinterpret_cast<const uint32_t*>(needle.row(row))[column];
                expected[std::size_t(y * 40 + x)] = value;
                if (x + 1 < 40)
                    expected[std::size_t(y * 40 + x + 1)] = value;
            }
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<const uint32_t*>(actual.pixels())))
            << "round " << round;
    }
}

} // namespace
