// Actions executed per second: one release trigger of tag arithmetic, bit-wise work and an
// IF / ELSE / END ladder, fired over and over on local tags.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/actions/DActionList.h"
#include "engine/tags/DController_Local.h"
#include "engine/core/DFile_Memory.h"
#include "engine/core/DProject.h"
#include "engine/posix/DPlatform_posix.h"
#include "foundation/target/ActionBlockWriter.h"
#include "tests/support/TargetBuilder.h"

namespace {

using target::ActionNumber;
using target::TagReference;

constexpr uint32_t kRelease = uint32_t(target::TriggerNumber::TouchUp);

TagReference local(uint32_t address)
{
    return TagReference::make(target::Controller::Local, address, target::kValueType32, 4);
}

// The block's bytes, and how many actions its trigger holds.
std::vector<uint8_t> script(uint32_t& actions)
{
    const TagReference counter = local(1), mask = local(2), branch = local(3);
    return vx::test::actionBlockBytes([&](target::ActionBlockWriter& block) {
        block.beginGroup(kRelease, 0);
        auto action = [&](ActionNumber number, std::initializer_list<TagReference> tags,
                          std::initializer_list<int32_t> values) {
            block.beginAction(uint32_t(number));
            for (const TagReference& tag : tags)
                block.writeTagArgument(tag);
            for (const int32_t value : values)
                block.writeWordArgument(uint32_t(value));
            ++actions;
        };
        action(ActionNumber::IncrementTagWithLimit, {counter}, {3, 1000000});
        action(ActionNumber::SetTagFromTag, {mask, counter}, {});
        action(ActionNumber::BitwiseTag, {mask}, {7, 0});
        action(ActionNumber::CompareTag, {mask}, {0, 0});
        action(ActionNumber::IncrementTag, {branch}, {1});
        action(ActionNumber::ElseCompareTag, {mask}, {3, 2});
        action(ActionNumber::MultiplyTagWithLimit, {branch}, {3, 1 << 20});
        action(ActionNumber::Else, {}, {});
        action(ActionNumber::DivideTag, {branch}, {2});
        action(ActionNumber::End, {}, {});
        action(ActionNumber::DecrementTagByTag, {counter, mask}, {});
    });
}

void BM_ActionsExecuted(benchmark::State& state)
{
    uint32_t actions = 0;
    const std::vector<uint8_t> bytes = script(actions);
    DPlatform_posix platform;
    DController_Local locals;
    DProject project(platform);
    // Local tags are controller index 1; nothing here names index 0.
    project.addController(locals);
    project.addController(locals);
    DFile_Memory file(bytes);
    DActionList list(&project);
    if (file.open(DString(u"actions")) != 0 || list.load(file) != 0) {
        state.SkipWithError("the action block did not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(list.fire(kRelease, 0, false));
    state.SetItemsProcessed(int64_t(state.iterations()) * actions);
}

} // namespace

BENCHMARK(BM_ActionsExecuted);
