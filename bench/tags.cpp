// The tags model and the action compiler at project scale: 10,000 action entries
// compiled over a 4,096-row tag table, and the allocation and listing of 4,096 tags.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "editor/document/HexText.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetTagTypes.h"
#include "tests/support/editor/ActionCompileHarness.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

using target::ActionNumber;

constexpr int kTags = 4096;
constexpr int kEntries = 10000;

std::u16string tagName(int i)
{
    const std::string digits = "Tag" + std::to_string(i);
    return {digits.begin(), digits.end()};
}

// Every address kind in turn: memory, fixed, storage, local; a string tag in eight.
void fillTags(vx::test::ActionCompileHarness& h)
{
    h.tags.SetTagMemorySize(1u << 20);
    for (int i = 0; i < kTags; ++i) {
        const bool text = i % 8 == 7;
        const std::u16string type = text ? u"UTF-8" : u"integer";
        const int32_t size = text ? 32 : 4;
        std::u16string address;
        switch (i % 4) {
        case 0:
            address = u"memory";
            break;
        case 1:
            address = FormatHex(0x80000 + uint64_t(i) * 64, 0);
            break;
        case 2:
            address = u"storage";
            break;
        default:
            break;
        }
        h.AddTag(tagName(i), type, size, address);
    }
}

std::vector<ActionEntry> entries()
{
    std::vector<ActionEntry> list;
    for (int i = 0; i < kEntries; ++i) {
        const std::u16string a = tagName(i * 8 % kTags), b = tagName((i * 8 + 1) % kTags);
        const uint32_t trigger = uint32_t(1 + i % target::kLastNamedTrigger);
        switch (i % 5) {
        case 0:
            list.push_back(vx::test::Entry(trigger, uint32_t(ActionNumber::SetTag), a + u" = " + b));
            break;
        case 1:
            list.push_back(vx::test::Entry(trigger, uint32_t(ActionNumber::IncrementTag), a + u" 1 max 100"));
            break;
        case 2:
            list.push_back(vx::test::Entry(trigger, uint32_t(ActionNumber::CompareTag), a + u" >= 10"));
            break;
        case 3:
            list.push_back(vx::test::Entry(trigger, uint32_t(ActionNumber::SetStringTag),
                                           tagName((i * 8 + 7) % kTags) + u" = some text"));
            break;
        default:
            list.push_back(vx::test::Entry(trigger, uint32_t(ActionNumber::End), u""));
            break;
        }
        if (target::triggerHasKeyWord(trigger))
            list.back().triggerDetail = i % 2 ? u"Enter" : u"a";
    }
    return list;
}

void BM_CompileActionEntries(benchmark::State& state)
{
    vx::test::ActionCompileHarness h;
    fillTags(h);
    h.tags.AllocateMemoryTags();
    const auto owner = vx::test::MakeOwner(18, u"Slider1");
    h.scope.page = owner.get();
    const std::vector<ActionEntry> list = entries();
    for (auto _ : state) {
        const vx::test::CompiledBlock block = h.Compile(*owner, list);
        benchmark::DoNotOptimize(block.bytes.data());
        if (block.status != 0 || !h.output.lines.empty()) {
            state.SkipWithError("the entries did not compile cleanly");
            break;
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kEntries);
}
BENCHMARK(BM_CompileActionEntries)->Unit(benchmark::kMillisecond);

void BM_AllocateAndListTags(benchmark::State& state)
{
    vx::test::ActionCompileHarness h;
    fillTags(h);
    for (auto _ : state) {
        const std::u16string listing = h.tags.AllocateMemoryTags();
        benchmark::DoNotOptimize(listing.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kTags);
}
BENCHMARK(BM_AllocateAndListTags)->Unit(benchmark::kMicrosecond);

// The first resolution after a change builds the index of all rows.
void BM_ResolveAfterChange(benchmark::State& state)
{
    vx::test::ActionCompileHarness h;
    fillTags(h);
    h.tags.AllocateMemoryTags();
    int i = 0;
    for (auto _ : state) {
        h.tags.SetNativeEncoding(target::TagTypes::kUtf8);
        benchmark::DoNotOptimize(h.tags.Resolve(tagName(i++ % kTags)));
    }
}
BENCHMARK(BM_ResolveAfterChange)->Unit(benchmark::kMicrosecond);

} // namespace
