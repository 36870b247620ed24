// LZO1X-1 compression of an 800 x 480 32-bit picture, in MB/s of input.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/CCompressedBuffer.h"

namespace {

std::vector<uint8_t> picture()
{
    // A rendered-looking picture: flat areas, gradients and a little noise.
    std::vector<uint8_t> bytes(800 * 480 * 4);
    uint32_t noise = 7;
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::size_t x = (i / 4) % 800, y = (i / 4) / 800;
        noise = noise * 1103515245u + 12345u;
        const bool flat = (x / 100 + y / 60) % 2 == 0;
        bytes[i] = flat ? 0x20 : uint8_t(x / 4);
        bytes[i + 1] = flat ? 0x40 : uint8_t(y / 2);
        bytes[i + 2] = flat ? 0x60 : uint8_t(noise >> 29);
        bytes[i + 3] = 0xFF;
    }
    return bytes;
}

void BM_Lzo800x480(benchmark::State& state)
{
    const auto input = picture();
    CCompressedBuffer buffer;
    for (auto _ : state) {
        const bool ok = buffer.Compress(input.data(), input.size());
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
    state.counters["ratio"] = double(buffer.compressedSize()) / double(input.size());
}

} // namespace

BENCHMARK(BM_Lzo800x480)->Unit(benchmark::kMillisecond);
