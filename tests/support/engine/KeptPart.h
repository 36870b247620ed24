#pragma once
// Engine parts that the engine owns and the test still looks at: made here, handed over,
// and kept as a borrowed pointer.

#include <memory>
#include <utility>

namespace vx::test {

template <class Part, class... Args>
std::unique_ptr<Part> keep(Part*& kept, Args&&... args)
{
    auto part = std::make_unique<Part>(std::forward<Args>(args)...);
    kept = part.get();
    return part;
}

} // namespace vx::test
