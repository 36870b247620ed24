#pragma once
// A thumb that moves along a straight track between the track's margins; shows a tag
// value and writes the value it is dragged to.

#include "engine/widgets/DThumbWidget.h"

class DCompositeObject_Slider : public DThumbWidget {
public:
    // Where the thumb moves from the minimum on.
    enum Direction : uint32_t {
        Right = uint32_t(target::GrowthDirection::Right),
        Left = uint32_t(target::GrowthDirection::Left),
        Down = uint32_t(target::GrowthDirection::Down),
        Up = uint32_t(target::GrowthDirection::Up),
    };

    // Pixels from the minimum's place along the track; -1 after show until a value comes.
    int64_t thumbOffset() const { return m_offset; }
    int64_t travel() const { return m_travel; }

protected:
    void layout(const Words& words) override;
    void forgetPlace() override { m_offset = -1; }
    void place(uint64_t position) override;
    std::optional<uint64_t> positionAt(DPoint point) const override;

private:
    DPoint m_reference{};   // the thumb centre's place at the minimum
    DPoint m_origin{};      // the thumb's top-left there
    int64_t m_travel = 0;   // 0: the thumb stays at the minimum and cannot be dragged
    int64_t m_offset = -1;
};
