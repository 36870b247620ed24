// Closing a chunk with a 20 MB body: the size patch and the CRC read back in blocks.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetFormat.h"

namespace {

void BM_RiffClose20MB(benchmark::State& state)
{
    std::vector<uint8_t> body(20u << 20);
    for (std::size_t i = 0; i < body.size(); ++i)
        body[i] = uint8_t(i * 17 + (i >> 12));
    DMemoryStream stream;
    DRIFFFile root(stream, target::kChunkRiff, target::kFormProject);
    DRIFFFile chunk(root, target::kChunkFont);
    chunk.write(body.data(), body.size());
    for (auto _ : state) {
        const uint64_t start = chunk.close();
        benchmark::DoNotOptimize(start);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}

} // namespace

BENCHMARK(BM_RiffClose20MB)->Unit(benchmark::kMillisecond);
