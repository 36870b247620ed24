// Floyd-Steinberg dithering of an 800 x 480 picture to 5-6-5 bits, in megapixels per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/CFloydSteinberg.h"

namespace {

constexpr uint32_t kWidth = 800;
constexpr uint32_t kHeight = 480;

std::vector<uint8_t> picture()
{
    std::vector<uint8_t> bytes(std::size_t(kWidth) * kHeight * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::size_t x = (i / 4) % kWidth, y = (i / 4) / kWidth;
        bytes[i] = uint8_t(x * 255 / kWidth);
        bytes[i + 1] = uint8_t(y * 255 / kHeight);
        bytes[i + 2] = uint8_t((x + y) & 0xFF);
        bytes[i + 3] = 0xFF;
    }
    return bytes;
}

void BM_Dither800x480(benchmark::State& state)
{
    const auto source = picture();
    std::vector<uint8_t> target(source.size());
    CFloydSteinberg dither;
    for (auto _ : state) {
        const bool ok = dither.Dither(kWidth, source, kWidth * 4, kHeight, target, kWidth * 4, 5, 5);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(target.data());
    }
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(kWidth) * kHeight * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_Dither800x480)->Unit(benchmark::kMillisecond);
