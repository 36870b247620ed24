#pragma once
// A thumb that turns around a dial between a start and an end angle; shows a tag value
// and writes the value it is turned to.

#include "engine/widgets/DThumbWidget.h"

class DCompositeObject_Knob : public DThumbWidget {
public:
    // Direction 2 counts the angle the other way round.
    static constexpr uint32_t kCounterclockwise = uint32_t(target::TurnDirection::Counterclockwise);

    // The thumb's angle from the start in radians (counted back from a full turn for
    // direction 2); 10000 after show until a value comes.
    double angle() const { return m_angle; }
    double sweep() const { return m_sweep; }
    DPoint centre() const { return m_centre; }

protected:
    void layout(const Words& words) override;
    void forgetPlace() override;
    void place(uint64_t position) override;
    std::optional<uint64_t> positionAt(DPoint point) const override;

private:
    double m_start = 0;
    double m_sweep = 0;    // not positive: the knob cannot be turned
    uint32_t m_radius = 0;
    DPoint m_centre{};
    DPoint m_origin{};     // the thumb's top-left with its centre on the dial's
    double m_angle = 0;
};
