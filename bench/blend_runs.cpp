// How the blit finds its runs of transparent and opaque pixels: by testing 4 or 8 alphas
// at a time in the loop (what the renderer does), or by a span index per row made once
// for the picture. A picture of 100 x 100 that fades from an opaque core to clear
// corners is blended over an opaque page 20 times a round; the plain loop is the reference.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/render/DPixelLoops.h"

namespace {

constexpr int32_t kSide = 100, kPageWidth = 800, kPageHeight = 480, kCopies = 20;

std::vector<uint32_t> gradedPicture()
{
    std::vector<uint32_t> pixels(std::size_t(kSide) * kSide);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            const double fade = std::clamp((50.0 - std::hypot(x - 49.5, y - 49.5)) / 20.0, 0.0, 1.0);
            const uint32_t alpha = uint32_t(std::lround(fade * 255.0));
            pixels[std::size_t(y) * kSide + x] = alpha << 24 | (alpha * 3 / 4) << 8 | alpha / 2;
        }
    return pixels;
}

enum class RunKind : uint8_t { Clear, Opaque, Mixed };
struct Run {
    int32_t start;
    int32_t length;
    RunKind kind;
};

// The runs of every row, found once.
std::vector<std::vector<Run>> spanIndex(const std::vector<uint32_t>& pixels)
{
    std::vector<std::vector<Run>> rows(kSide);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide;) {
            const uint32_t alpha = pixels[std::size_t(y) * kSide + x] >> 24;
            const RunKind kind = alpha == 0 ? RunKind::Clear : alpha == 255 ? RunKind::Opaque : RunKind::Mixed;
            int32_t end = x + 1;
            while (end < kSide) {
                const uint32_t next = pixels[std::size_t(y) * kSide + end] >> 24;
                if ((next == 0 ? RunKind::Clear : next == 255 ? RunKind::Opaque : RunKind::Mixed) != kind)
                    break;
                ++end;
            }
            rows[std::size_t(y)].push_back({x, end - x, kind});
            x = end;
        }
    return rows;
}

struct Page {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(std::size_t(kPageWidth) * kPageHeight, 0xFF808080u);
    uint32_t* at(int32_t copy, int32_t y)
    {
        return pixels.data() + std::size_t((copy / 5) * 120 + 10 + y) * kPageWidth + (copy % 5) * 160 + 30;
    }
};

void blendAll(benchmark::State& state, DPixelPath path)
{
    const std::vector<uint32_t> picture = gradedPicture();
    const DRowLoop loop = DPixelLoops::of(path).rowLoop(DBlend::Over, 4, 4);
    Page page;
    for (auto _ : state) {
        for (int32_t copy = 0; copy < kCopies; ++copy)
            for (int32_t y = 0; y < kSide; ++y)
                loop(reinterpret_cast<uint8_t*>(page.at(copy, y)),
                     reinterpret_cast<const uint8_t*>(picture.data() + std::size_t(y) * kSide), kSide);
        benchmark::DoNotOptimize(page.pixels.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCopies * kSide * kSide);
}

void BM_BlendRuns_PlainLoop(benchmark::State& state)
{
    blendAll(state, DPixelPath::Plain);
}

void BM_BlendRuns_VectorTest(benchmark::State& state)
{
    blendAll(state, DPixelLoops::fastest());
}

void BM_BlendRuns_SpanIndex(benchmark::State& state)
{
    const std::vector<uint32_t> picture = gradedPicture();
    const std::vector<std::vector<Run>> index = spanIndex(picture);
    const DRowLoop loop = DPixelLoops::of(DPixelLoops::fastest()).rowLoop(DBlend::Over, 4, 4);
    Page page;
    for (auto _ : state) {
        for (int32_t copy = 0; copy < kCopies; ++copy)
            for (int32_t y = 0; y < kSide; ++y) {
                uint32_t* out = page.at(copy, y);
                const uint32_t* in = picture.data() + std::size_t(y) * kSide;
                for (const Run& run : index[std::size_t(y)]) {
                    if (run.kind == RunKind::Opaque)
                        std::memcpy(out + run.start, in + run.start, std::size_t(run.length) * 4);
                    else if (run.kind == RunKind::Mixed)
                        loop(reinterpret_cast<uint8_t*>(out + run.start),
                             reinterpret_cast<const uint8_t*>(in + run.start), std::size_t(run.length));
                }
            }
        benchmark::DoNotOptimize(page.pixels.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCopies * kSide * kSide);
}

} // namespace

BENCHMARK(BM_BlendRuns_PlainLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlendRuns_VectorTest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlendRuns_SpanIndex)->Unit(benchmark::kMicrosecond);
