#pragma once
// An invisible widget that counts a tag between a start and a stop value at a fixed step
// time, in one of six patterns; a second tag pauses it while it holds 0.

#include <cstdint>

#include "engine/widgets/DCompositeObject.h"
#include "foundation/target/TargetImageWords.h"

class DCompositeObject_Timer : public DCompositeObject {
public:
    enum Mode : uint32_t {
        Stopped = uint32_t(target::TimerMode::Stopped),
        UpWrap = uint32_t(target::TimerMode::UpWrap),
        UpHold = uint32_t(target::TimerMode::UpHold),
        PingPong = uint32_t(target::TimerMode::PingPong),
        DownWrap = uint32_t(target::TimerMode::DownWrap),
        DownHold = uint32_t(target::TimerMode::DownHold),
        TowardStop = uint32_t(target::TimerMode::TowardStop),
    };

    DCompositeObject_Timer();
    ~DCompositeObject_Timer() override;
    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;
    void tick(uint32_t now) override;

    bool isPaused() const { return m_paused; }
    uint32_t stepTime() const { return m_stepTime; }

private:
    // The value one step of the mode makes of f (f already within the range).
    int64_t step(int64_t value);

    uint32_t m_mode = Stopped;
    int32_t m_start = 0;
    int32_t m_stop = 0;
    uint32_t m_stepTime = 1;
    DItemDescriptor m_valueTag;
    DItemDescriptor m_enableTag;
    bool m_paused = false;
    bool m_countingUp = true; // the ping-pong direction
    bool m_stepScheduled = false;
    uint32_t m_nextStep = 0;
};
