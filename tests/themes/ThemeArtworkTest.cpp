#include <gtest/gtest.h>

#include <cairo.h>
#include <set>

#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/DeviceContext.h"
#include "tests/themes/ThemeTestSupport.h"

namespace vx::test {
namespace {

std::string pixelBytes(const CWinFreeImage& image)
{
    std::string bytes;
    for (int32_t y = 0; y < image.height(); ++y) {
        const std::span<const uint8_t> line = image.scanLine(y);
        bytes.append(reinterpret_cast<const char*>(line.data()), line.size());
    }
    return bytes;
}

// The build lays every theme's pictures and settings beside the libraries, each picture
// its own.
TEST(ThemeArtwork, StylesFolderHoldsEveryPictureOfEveryThemeEachDistinct)
{
    std::set<std::string> seen;
    for (const char* name : kThemeNames) {
        EXPECT_TRUE(std::filesystem::is_regular_file(programPath(std::string("Styles/Theme_") + name + ".so")));
        EXPECT_FALSE(readFile(programPath(std::string("Styles/") + name + ".ini")).empty());
        for (const char* suffix : kPictureSuffixes) {
            const std::string file = std::string(name) + suffix + ".png";
            SCOPED_TRACE(file);
            CWinFreeImage picture;
            ASSERT_TRUE(picture.Load(programPath("Styles/" + file), 0, 0));
            EXPECT_GE(picture.width(), 16);
            EXPECT_GE(picture.height(), 16);
            EXPECT_TRUE(seen.insert(pixelBytes(picture)).second);
        }
    }
}

TEST(ThemeArtwork, PlaceholdersFolderHoldsTheEditorsPictures)
{
    std::vector<std::string> names = {"placeholder.jpg", "colorbar.jpg", "ticker.jpg", "window.jpg"};
    for (int frame = 1; frame <= 7; ++frame)
        names.push_back("ss__" + std::to_string(frame) + ".jpg");
    std::set<std::string> seen;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        CWinFreeImage picture;
        ASSERT_TRUE(picture.Load(programPath("placeholders/" + name), 0, 0));
        EXPECT_TRUE(picture.isOpaque());
        EXPECT_TRUE(seen.insert(pixelBytes(picture)).second);
        if (name.starts_with("ss__")) {
            EXPECT_EQ(picture.width(), 600);
            EXPECT_EQ(picture.height(), 232);
        }
    }
}

// A row per state (normal, pressed, focused) of one button frame of each theme, in the
// build's own pictures, kept as build-test/tests/artifacts/theme-buttons.png.
TEST(ThemeArtwork, RendersAButtonFrameOfEachThemeForALook)
{
    const StylesFolder styles(programPath("Styles"));
    constexpr int32_t kButtonWidth = 120, kButtonHeight = 48, kGap = 12;
    const int32_t parts[] = {0x00, 0x01, 0x03, 0x02};
    gfx::Surface sheet(4 * (kButtonWidth + kGap) + kGap, 4 * (kButtonHeight + kGap) + kGap);
    {
        gfx::DeviceContext dc(sheet);
        dc.fillRect({0, 0, sheet.width(), sheet.height()}, gfx::Colour::fromArgb(0xFF2E3440));
    }
    for (int column = 0; column < 4; ++column) {
        auto theme = LoadedTheme::load(kThemeNames[column]);
        ASSERT_TRUE(theme);
        for (int row = 0; row < 4; ++row) {
            const int32_t x = kGap + column * (kButtonWidth + kGap), y = kGap + row * (kButtonHeight + kGap);
            EXPECT_EQ(theme->draw(sheet, gfx::Rect::fromSize(x, y, kButtonWidth, kButtonHeight), 1, parts[row]), 1);
            // Something of the theme's face lies in the middle of the frame.
            EXPECT_EQ(sheet.pixel(x + kButtonWidth / 2, y + kButtonHeight / 2) >> 24, 255u);
        }
    }
    const std::filesystem::path folder = programPath("").parent_path().parent_path() / "tests" / "artifacts";
    std::filesystem::create_directories(folder);
    EXPECT_EQ(cairo_surface_write_to_png(sheet.cairoSurface(), (folder / "theme-buttons.png").c_str()), CAIRO_STATUS_SUCCESS);
}

} // namespace
} // namespace vx::test
