#include "engine/qt/DKeyTranslation.h"

#include <Qt>
#include <array>

namespace {

struct KeyRow {
    int qtKey;
    uint32_t code;
};

// The keys below 48 that pass as their own codes, and the keys the panel renumbers.
constexpr std::array kKeys{
    KeyRow{Qt::Key_Backspace, 8}, KeyRow{Qt::Key_Tab, 9},        KeyRow{Qt::Key_Backtab, 9},
    KeyRow{Qt::Key_Clear, 12},    KeyRow{Qt::Key_Return, 13},    KeyRow{Qt::Key_Enter, 13},
    KeyRow{Qt::Key_Shift, 16},    KeyRow{Qt::Key_Control, 17},   KeyRow{Qt::Key_Alt, 18},
    KeyRow{Qt::Key_Pause, 19},    KeyRow{Qt::Key_CapsLock, 20},  KeyRow{Qt::Key_Escape, 27},
    KeyRow{Qt::Key_Space, 32},    KeyRow{Qt::Key_PageUp, 33},    KeyRow{Qt::Key_PageDown, 34},
    KeyRow{Qt::Key_End, 35},      KeyRow{Qt::Key_Home, 36},      KeyRow{Qt::Key_Left, 1},
    KeyRow{Qt::Key_Up, 5},        KeyRow{Qt::Key_Right, 2},      KeyRow{Qt::Key_Down, 6},
    KeyRow{Qt::Key_Select, 41},   KeyRow{Qt::Key_Print, 42},     KeyRow{Qt::Key_Execute, 43},
    KeyRow{Qt::Key_SysReq, 44},   KeyRow{Qt::Key_Insert, 45},    KeyRow{Qt::Key_Delete, 12},
    KeyRow{Qt::Key_Help, 47},
};

} // namespace

uint32_t translateKey(int qtKey, const QString& text)
{
    for (const KeyRow& row : kKeys)
        if (row.qtKey == qtKey)
            return row.code;
    if (text.isEmpty())
        return 0;
    const char16_t first = text.at(0).unicode();
    if (first < 32 || first == 127)
        return 0; // control characters of shortcut combinations are no panel keys
    if (QChar::isHighSurrogate(first) && text.size() > 1)
        return uint32_t(text.at(1).unicode()) * 65536u + first;
    return first;
}
