#pragma once
// The compile of a page of editor objects, as a benchmark body: every object's pictures
// collected, then every object compiled, through one resource index per iteration.

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CResourceAlignment.h"
#include "tests/support/editor/ObjectCompileHarness.h"

// state.range(0) is the colour depth.
inline void compileObjects(benchmark::State& state, const std::vector<std::unique_ptr<CEditorObject>>& objects)
{
    const int depth = int(state.range(0));
    std::size_t bytes = 0;
    std::size_t pictures = 0;
    for (auto _ : state) {
        vx::test::ObjectCompileHarness harness;
        harness.resources.Begin(depth, target::kTargetFlagsDefault);
        CResourceAlignment alignment(harness.resources);
        const std::vector<uint8_t> file = harness.Write([&](DRIFFFile& target, CObjectCompileContext& context) {
            for (auto it = objects.rbegin(); it != objects.rend(); ++it)
                alignment.Collect(**it, target);
            for (auto it = objects.rbegin(); it != objects.rend(); ++it)
                (void)alignment.Compile(**it, target, context);
        });
        bytes = file.size();
        pictures = harness.resources.Entries().size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["objects/s"] = benchmark::Counter(double(objects.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pictures/s"] = benchmark::Counter(double(pictures), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes"] = double(bytes);
}
