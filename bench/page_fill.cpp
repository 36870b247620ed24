// A full 800 x 480 page filled through the renderer, opaque and translucent, on the
// fastest path the processor runs and on the plain loops, beside a memset of the same
// bytes: the opaque fill should keep up with the memory as memset does.
#include <benchmark/benchmark.h>

#include <cstring>

#include "engine/render/DRendererBitmap.h"

namespace {

constexpr int32_t kPageWidth = 800, kPageHeight = 480;
constexpr DRect kPage{0, 0, kPageWidth - 1, kPageHeight - 1};
constexpr uint32_t kOpaque = 0xFF3A6EA5u, kTranslucent = 0x80102030u;
constexpr int64_t kPageBytes = int64_t(kPageWidth) * kPageHeight * 4;

void fillPage(benchmark::State& state, DPixelPath path, DColor colour)
{
    DRendererBitmap renderer;
    if (renderer.init(nullptr, nullptr, kPageWidth, kPageHeight) != 0)
        return state.SkipWithError("no page");
    renderer.setPixelPath(path);
    for (auto _ : state) {
        renderer.fillRect(colour, kPage, DFillMode::Blend);
        benchmark::DoNotOptimize(renderer.target()->pixels());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kPageBytes);
}

void BM_PageFill_Memset(benchmark::State& state)
{
    DRendererBitmap renderer;
    if (renderer.init(nullptr, nullptr, kPageWidth, kPageHeight) != 0)
        return state.SkipWithError("no page");
    uint8_t* pixels = renderer.target()->pixels();
    for (auto _ : state) {
        std::memset(pixels, 0x5A, std::size_t(kPageBytes));
        benchmark::DoNotOptimize(pixels);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kPageBytes);
}

void BM_PageFill_Opaque(benchmark::State& state)
{
    fillPage(state, DPixelLoops::fastest(), kOpaque);
}

void BM_PageFill_OpaquePlainLoop(benchmark::State& state)
{
    fillPage(state, DPixelPath::Plain, kOpaque);
}

void BM_PageFill_Translucent(benchmark::State& state)
{
    fillPage(state, DPixelLoops::fastest(), kTranslucent);
}

void BM_PageFill_TranslucentPlainLoop(benchmark::State& state)
{
    fillPage(state, DPixelPath::Plain, kTranslucent);
}

} // namespace

BENCHMARK(BM_PageFill_Memset)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageFill_Opaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageFill_OpaquePlainLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageFill_Translucent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageFill_TranslucentPlainLoop)->Unit(benchmark::kMicrosecond);
