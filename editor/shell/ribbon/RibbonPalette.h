#pragma once
// The colour buttons' palette (font colour and page colour): 143 entries, duplicates
// included, in the order the buttons show them.

#include <QRgb>
#include <span>

std::span<const QRgb> RibbonPalette();
