#pragma once
// Desktop keys to the panel's key codes: control keys keep the codes the panel knows
// (8 backspace, 13 enter, 27 escape, arrows 1 2 5 6, 12 delete); every other key is the
// character the keyboard layout gives, 0 when it gives none.

#include <QString>
#include <cstdint>

uint32_t translateKey(int qtKey, const QString& text);
