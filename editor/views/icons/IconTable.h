#pragma once
// Which picture each strip and index shows, written once as data.

#include <span>

#include "editor/views/icons/IconGlyph.h"

struct IconRow {
    int strip;
    int index;
    IconSpec spec;
};

std::span<const IconRow> IconTable();
// The strip whose pictures a strip shares (the large strips draw the small ones' art
// where they have none of their own).
int IconFallbackStrip(int strip);
