#include "editor/objects/ticks/CTickGenerator.h"

#include <algorithm>

namespace {

int64_t ceilDivide(int64_t value, int64_t divisor)
{
    return (value + divisor - 1) / divisor;
}

} // namespace

CTickGenerator::CTickGenerator(int64_t range, int64_t tickDistance, int64_t labelDistance, int64_t positions)
{
    if (range <= 0)
        return;
    m_range = std::min(range, kMaxRange);
    m_positions = std::clamp<int64_t>(positions, 0, kMaxPositions);
    // A step beyond the range gives the same two ticks as the range itself.
    m_step = tickDistance <= 0 ? m_range : std::min(tickDistance, m_range);
    if (labelDistance <= 0)
        m_labelStep = m_step; // a label step of 1: every tick is a label tick
    else if (labelDistance > m_range / m_step)
        m_labelStep = m_range + 1; // no multiple inside the range but 0
    else
        m_labelStep = m_step * labelDistance;
    m_done = false;
}

int64_t CTickGenerator::PositionOf(int64_t value) const
{
    return value * m_positions / m_range;
}

bool CTickGenerator::Next(Tick& tick)
{
    if (m_done)
        return false;
    const int64_t value = std::min(m_next, m_range);
    const int64_t position = PositionOf(value);
    if (value == m_range || position >= m_positions) {
        tick = {m_range, m_positions, TickKind::Label};
        m_done = true;
        return true;
    }
    // The first value past this position; the tick stands for every value before it.
    const int64_t end = ceilDivide((position + 1) * m_range, m_positions);
    const int64_t firstLabel = ceilDivide(value, m_labelStep) * m_labelStep;
    tick = {value, position, firstLabel < end ? TickKind::Label : TickKind::Short};
    m_next = ceilDivide(end, m_step) * m_step;
    return true;
}
