#pragma once
// What tells the four theme libraries apart (besides their preview picture). Colours of
// the outlines are 0xRRGGBB; the theme colour is ARGB.

#include <array>
#include <cstdint>

struct ThemeConstants {
    const char16_t* name; // query 1, and the names of the pictures and the settings file
    int32_t roundness;    // corner roundness in percent
    uint32_t colour;
    uint32_t outlineA;
    uint32_t outlineAOfNormalButton; // colour A for part code 2
    uint32_t outlineB;
};

enum class ThemeIndex { Lacquer, Dune, Alloy, Timber };

inline constexpr std::array<ThemeConstants, 4> kThemeConstants{{
    {u"Lacquer", 100, 0xFFEE82EE, 0xEE82EE, 0xEE82EE, 0xFFC8FF},
    {u"Dune", 35, 0xFFF4A460, 0xF4A460, 0xF4A460, 0xFFE0A0},
    {u"Alloy", 30, 0xFF808080, 0x808080, 0xE0E0E0, 0xE0E0E0},
    {u"Timber", 15, 0xFFDEB887, 0xDEB887, 0xDEB887, 0xFFE0C8},
}};
