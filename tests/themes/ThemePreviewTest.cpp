#include <gtest/gtest.h>

#include "tests/themes/ThemeTestSupport.h"
#include "themes/CTheme.h"

namespace vx::test {
namespace {

struct PreviewDeleter {
    void operator()(VxThemeSurface* preview) const { std::free(preview); }
};
using Preview = std::unique_ptr<VxThemeSurface, PreviewDeleter>;

uint32_t at(const VxThemeSurface& preview, int32_t x, int32_t y)
{
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(preview.pixels) +
                                             int64_t(y) * preview.stride)[x];
}

// Each preview: the theme's colour in a band along the top, a half-transparent white
// shelf along the bottom.
TEST(ThemePreview, IsSixtyFourByFortyEightTopRowFirstAndPremultiplied)
{
    const std::pair<const char*, uint32_t> themes[] = {
        {"Lacquer", 0xFFEE82EE}, {"Dune", 0xFFF4A460}, {"Alloy", 0xFF808080}, {"Timber", 0xFFDEB887}};
    for (auto [name, colour] : themes) {
        SCOPED_TRACE(name);
        auto theme = LoadedTheme::load(name);
        ASSERT_TRUE(theme);
        Preview previews[] = {Preview(theme->getPreviewImage()),
                              Preview(reinterpret_cast<VxThemeSurface*>(theme->query(ThemeQueryPreview, nullptr, nullptr)))};
        for (const Preview& preview : previews) {
            ASSERT_TRUE(preview);
            EXPECT_EQ(preview->width, 64);
            EXPECT_EQ(preview->height, 48);
            EXPECT_GE(preview->stride, 64 * 4);
            for (int32_t x : {0, 31, 63})
                EXPECT_TRUE(pixelNear(at(*preview, x, 0), colour, 2));
            const uint32_t shelf = at(*preview, 32, 47);
            EXPECT_NEAR(double(shelf >> 24), 128, 4);
            for (int shift : {0, 8, 16})
                EXPECT_NEAR(double(shelf >> shift & 0xFF), double(shelf >> 24), 3);
            for (int32_t y = 0; y < preview->height; ++y) {
                for (int32_t x = 0; x < preview->width; ++x) {
                    const uint32_t p = at(*preview, x, y);
                    for (int shift : {0, 8, 16})
                        ASSERT_LE(p >> shift & 0xFF, p >> 24) << x << "," << y;
                }
            }
        }
    }
}

TEST(ThemePreview, MissingOrBrokenPictureGivesNoPreview)
{
    EXPECT_EQ(CTheme::makePreview({}), nullptr);
    const uint8_t notAPicture[] = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_EQ(CTheme::makePreview(notAPicture), nullptr);
    const uint8_t truncated[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0};
    EXPECT_EQ(CTheme::makePreview(truncated), nullptr);
}

// A palette picture is made 32 bits before its colours are premultiplied.
TEST(ThemePreview, PalettePictureBecomesThirtyTwoBits)
{
    const std::filesystem::path palette = fixturePath("images/palette.png");
    const std::string bytes = readFile(palette);
    ASSERT_FALSE(bytes.empty());
    Preview preview(CTheme::makePreview({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->width, 64);
    EXPECT_EQ(preview->height, 48);
    for (int32_t y = 0; y < preview->height; ++y) {
        for (int32_t x = 0; x < preview->width; ++x) {
            const uint32_t p = at(*preview, x, y);
            for (int shift : {0, 8, 16})
                ASSERT_LE(p >> shift & 0xFF, p >> 24) << x << "," << y;
        }
    }
}

} // namespace
} // namespace vx::test
