#pragma once
// Target files with fonts and text elements, and the engine harness that loads them.

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/engine/EngineHarness.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

namespace texttest {

using vx::test::fontBytes;
using vx::test::sansBytes;
using vx::test::textElement;
using vx::test::TextWords;

inline void placeholder(vx::test::TargetBuilder::Page& page)
{
    vx::test::writePlaceholder(page);
}

inline void tag(vx::test::TargetBuilder::Page& page, const target::TagReference& reference)
{
    target::writeRecord(page.file(), reference);
}

constexpr uint32_t kEditableFlags = target::kElementFlagVisible | target::kElementFlagTouchable;

// The engine harness on a 120 x 60 target with local controllers at indexes 0 and 1,
// whose tags the tests set.
class ProjectHarness : public EngineHarness<120, 60, 2> {
public:
    void key(uint32_t code)
    {
        project.onKeyDown(code);
        project.onKeyUp(code);
    }

    DController_Local& first = controllers[0];
};

} // namespace texttest
