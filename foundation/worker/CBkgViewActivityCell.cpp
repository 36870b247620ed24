#include "foundation/worker/CBkgViewActivityCell.h"

void CBkgViewActivityCell::Publish(const CBkgViewActivity& activity)
{
    const uint64_t interaction = activity.interaction == ViewInteraction::Resize ? kResize : 0;
    m_word.store(kOpen | interaction | activity.lastInteractionTick, std::memory_order_release);
}

void CBkgViewActivityCell::Clear()
{
    m_word.store(0, std::memory_order_release);
}

std::optional<CBkgViewActivity> CBkgViewActivityCell::Read() const
{
    const uint64_t word = m_word.load(std::memory_order_acquire);
    if (!(word & kOpen))
        return std::nullopt;
    return CBkgViewActivity{(word & kResize) ? ViewInteraction::Resize : ViewInteraction::Other, uint32_t(word)};
}
