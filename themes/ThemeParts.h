#pragma once
// Which picture and which frame a part code gets.

#include <string_view>

#include "themes/ThemeInterface.h"

enum class ThemeFrame { Thin, Thick };

struct ThemePart {
    std::u16string_view suffix; // of the picture's file name
    ThemeFrame frame;
};

// shape 0 is an ellipse: a round thumb has a picture of its own.
ThemePart themePart(ThemeObjectCode partCode, int32_t shape);
