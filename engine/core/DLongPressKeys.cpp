#include "engine/core/DLongPressKeys.h"

#include "engine/core/DInputSink.h"
#include "foundation/target/TargetActions.h"

namespace {
constexpr uint32_t code(target::KeyCode key)
{
    return uint32_t(key);
}
} // namespace

// The hardware keys and their bits in the pressed mask.
DLongPressKeys::DLongPressKeys()
    : m_records{{{code(target::KeyCode::Escape), 16},
                 {code(target::KeyCode::Left), 32},
                 {code(target::KeyCode::Right), 64},
                 {code(target::KeyCode::Enter), 128}}}
{
}

void DLongPressKeys::poll(uint32_t now, uint32_t pressedMask, DInputSink& project)
{
    m_mask = pressedMask;
    for (Record& record : m_records) {
        if (m_mask & record.mask) {
            if (!record.down) {
                record.downTime = now;
                record.holdSent = false;
            } else if (now - record.downTime >= kHoldMilliseconds && !record.holdSent) {
                record.holdSent = true;
                project.onKeyDown(record.key);
            }
            record.down = true;
            record.up = false;
            record.upSent = false;
        } else {
            if (!record.up) {
                record.upTime = now;
                record.upSent = false;
            } else if (now - record.upTime >= kHoldMilliseconds && !record.upSent && record.holdSent) {
                record.upSent = true;
                project.onKeyUp(record.key);
            }
            record.down = false;
            record.up = true;
        }
    }
}
