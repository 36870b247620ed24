#pragma once
// Loading the built theme libraries as the editor does, and a styles folder of fixture
// pictures (one uniform colour per picture) for probing what they draw.

#include <gtest/gtest.h>

#include <cairo.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/gfx/Rect.h"
#include "platform/gfx/Surface.h"
#include "platform/sys/Library.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/StylesFolder.h"
#include "themes/ThemeInterface.h"

namespace vx::test {

struct LoadedTheme {
    Library library;
    ScenerunnerThemeLibraryFunction mark = nullptr;
    DrawObjectFunction drawObject = nullptr;
    GetPreviewImageFunction getPreviewImage = nullptr;
    QueryFunction query = nullptr;

    // Styles/Theme_<name>.so of the build's program folder.
    static std::optional<LoadedTheme> load(const std::string& name)
    {
        LoadedTheme theme;
        if (theme.library.load(programPath("Styles/Theme_" + name + ".so")) != 0) {
            ADD_FAILURE() << theme.library.errorText();
            return std::nullopt;
        }
        theme.mark = theme.library.function<ScenerunnerThemeLibraryFunction>(VX_THEME_LIBRARY_MARK);
        theme.drawObject = theme.library.function<DrawObjectFunction>(VX_THEME_DRAW_OBJECT);
        theme.getPreviewImage = theme.library.function<GetPreviewImageFunction>(VX_THEME_GET_PREVIEW_IMAGE);
        theme.query = theme.library.function<QueryFunction>(VX_THEME_QUERY);
        if (!theme.mark || !theme.drawObject || !theme.getPreviewImage || !theme.query) {
            ADD_FAILURE() << name << " lacks an export";
            return std::nullopt;
        }
        return theme;
    }

    // Takes over a string the theme allocated.
    std::u16string name() const
    {
        auto* text = reinterpret_cast<char16_t*>(query(ThemeQueryName, nullptr, nullptr));
        std::u16string copy = text ? text : u"";
        std::free(text);
        return copy;
    }
    std::u16string setting(const char16_t* section, const char16_t* key) const
    {
        const auto* text = reinterpret_cast<const char16_t*>(query(ThemeQuerySetting, section, key));
        return text ? text : u"<null>";
    }
    int32_t draw(gfx::Surface& surface, gfx::Rect rect, int32_t shape, int32_t partCode, int32_t transparency = 0) const
    {
        const gfx::PixelBuffer pixels = surface.pixels();
        const VxThemeSurface dc{pixels.pixels, pixels.width, pixels.height, pixels.stride};
        const int32_t r[4] = {rect.left, rect.top, rect.right, rect.bottom};
        const int32_t result = drawObject(&dc, r, shape, partCode, nullptr, u"", transparency);
        cairo_surface_mark_dirty(surface.cairoSurface());
        return result;
    }
};

// A picture of one straight ARGB colour, written as PNG.
inline void writeUniformPicture(const std::filesystem::path& path, uint32_t argb, int32_t width = 16, int32_t height = 16)
{
    gfx::Surface picture(width, height);
    const gfx::PixelBuffer pixels = picture.pixels();
    const uint32_t a = argb >> 24;
    auto channel = [a](uint32_t c) { return (c * a + 127) / 255; };
    const uint32_t premultiplied =
        a << 24 | channel(argb >> 16 & 0xFF) << 16 | channel(argb >> 8 & 0xFF) << 8 | channel(argb & 0xFF);
    for (int32_t y = 0; y < height; ++y)
        std::fill(pixels.row(y), pixels.row(y) + width, premultiplied);
    cairo_surface_mark_dirty(picture.cairoSurface());
    ASSERT_EQ(cairo_surface_write_to_png(picture.cairoSurface(), path.c_str()), CAIRO_STATUS_SUCCESS);
}

// Each channel of a pixel within tolerance of the expected one.
inline ::testing::AssertionResult pixelNear(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference = int(actual >> shift & 0xFF) - int(expected >> shift & 0xFF);
        if (difference > tolerance || difference < -tolerance)
{
            char text[64];
            std::snprintf(text, sizeof text, "pixel 0x%08X, expected 0x%08X", unsigned(actual), unsigned(expected));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

inline const char* const kThemeNames[] = {"Lacquer", "Dune", "Alloy", "Timber"};
inline const char* const kPictureSuffixes[] = {"", "-pressed", "-focused", "-thumb", "-rthumb", "-needle"};

} // namespace vx::test
