#pragma once
// What a page view is doing, published for the background worker: the view writes its
// interaction and last interaction tick on the user-interface thread, the worker reads
// them on its own, both through one atomic word. The view clears the cell before it
// closes; objects share the cell, so the worker never reaches a view that is going.

#include <atomic>
#include <cstdint>
#include <optional>

#include "foundation/worker/CBkgWorkObject.h"

class CBkgViewActivityCell {
public:
    void Publish(const CBkgViewActivity& activity);
    // The view is going: from now on the cell answers none.
    void Clear();
    std::optional<CBkgViewActivity> Read() const;

private:
    static constexpr uint64_t kOpen = uint64_t(1) << 33;
    static constexpr uint64_t kResize = uint64_t(1) << 32;
    std::atomic<uint64_t> m_word{0};
};
