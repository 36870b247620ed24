#include "engine/DLongPressKeys.h"

#include "engine/DInputSink.h"

DLongPressKeys::DLongPressKeys()
    : m_records{{{27, 16}, {1, 32}, {2, 64}, {13, 128}}}
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
