#include <gtest/gtest.h>

#include "platform/gfx/PixelArithmetic.h"
#include "tests/themes/ThemeTestSupport.h"

namespace vx::test {
namespace {

// One colour per picture, so a probe tells which picture was drawn.
struct FixturePicture {
    const char* suffix;
    uint32_t argb;
};
constexpr FixturePicture kPictures[] = {
    {"", 0xFF3060C0},       {"-pressed", 0xFF30C060}, {"-focused", 0xFFC03060},
    {"-thumb", 0xFFC0C030}, {"-rthumb", 0xFF30C0C0}, {"-needle", 0xFF9040C0},
};
uint32_t pictureColour(const std::string& suffix)
{
    for (const FixturePicture& picture : kPictures) {
        if (suffix == picture.suffix)
            return picture.argb;
    }
    return 0;
}

// A 40 x 30 frame fills the surface: the picture covers columns 0-38 and rows 0-28, the
// outer path runs through the centres of the outermost pixels.
constexpr int32_t kWidth = 40;
constexpr int32_t kHeight = 30;
constexpr gfx::Rect kFrame{0, 0, kWidth, kHeight};
constexpr int32_t kMiddleY = 15;

constexpr uint32_t opaque(uint32_t rgb)
{
    return 0xFF000000 | rgb;
}

class ThemeDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const FixturePicture& picture : kPictures) {
            for (const char* name : kThemeNames)
                writeUniformPicture(folder / (std::string(name) + picture.suffix + ".png"), picture.argb);
        }
    }
    LoadedTheme theme(const std::string& name)
    {
        auto loaded = LoadedTheme::load(name);
        if (!loaded)
            throw std::runtime_error("no theme " + name);
        return std::move(*loaded);
    }

    TempDir folder;
    StylesFolder styles{folder.path()};
    gfx::Surface surface{kWidth, kHeight};
};

TEST_F(ThemeDraw, EachPartCodeDrawsItsPictureInItsFrame)
{
    struct Row {
        int32_t partCode;
        int32_t shape;
        const char* suffix;
        bool thick;
    };
    const Row rows[] = {
        {0x01, 1, "-pressed", true}, {0x02, 1, "", true},         {0x03, 1, "-focused", false},
        {0x04, 1, "-focused", true}, {0x11, 1, "-thumb", false},  {0x11, 0, "-rthumb", false},
        {0x12, 1, "-focused", false}, {0x21, 1, "-needle", false}, {0x51, 1, "-focused", false},
        {0x52, 1, "-focused", true}, {0x00, 1, "", false},         {0x20, 0, "", false},
        {0x13, 1, "", false},        {0x41, 1, "", false},
    };
    const LoadedTheme timber = theme("Timber");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "part code " << row.partCode << " shape " << row.shape);
        surface = gfx::Surface(kWidth, kHeight);
        ASSERT_EQ(timber.draw(surface, kFrame, row.shape, row.partCode), 1);
        EXPECT_EQ(surface.pixel(kWidth / 2, kMiddleY), pictureColour(row.suffix));
        // A thick frame lays colour B two pixels in; a thin one leaves the picture there.
        const uint32_t second = surface.pixel(1, kMiddleY);
        if (row.thick) {
            EXPECT_TRUE(pixelNear(second, opaque(0xFFE0C8), 3));
        } else if (row.shape == 1) {
            EXPECT_EQ(second, pictureColour(row.suffix));
        }
    }
}

TEST_F(ThemeDraw, FrameColoursAtTheEdgesAreEachThemesOwn)
{
    struct Row {
        const char* name;
        uint32_t a, aOfPartTwo, b;
    };
    const Row rows[] = {
        {"Lacquer", 0xEE82EE, 0xEE82EE, 0xFFC8FF},
        {"Dune", 0xF4A460, 0xF4A460, 0xFFE0A0},
        {"Alloy", 0x808080, 0xE0E0E0, 0xE0E0E0},
        {"Timber", 0xDEB887, 0xDEB887, 0xFFE0C8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const LoadedTheme loaded = theme(row.name);
        // Thin: a one-pixel line of colour A through the outermost pixels; the right
        // column and the bottom row lie outside the picture. Probed where the outline is
        // straight: top and bottom of a wide frame, left and right of a tall one.
        ASSERT_EQ(loaded.draw(surface, kFrame, 1, 0x00), 1);
        EXPECT_TRUE(pixelNear(surface.pixel(kWidth / 2, 0), opaque(row.a), 2));
        EXPECT_TRUE(pixelNear(surface.pixel(kWidth / 2, kHeight - 1), opaque(row.a), 2));
        gfx::Surface tall(kHeight, kWidth);
        ASSERT_EQ(loaded.draw(tall, {0, 0, kHeight, kWidth}, 1, 0x00), 1);
        EXPECT_TRUE(pixelNear(tall.pixel(0, kWidth / 2), opaque(row.a), 2));
        EXPECT_TRUE(pixelNear(tall.pixel(kHeight - 1, kWidth / 2), opaque(row.a), 2));
        // Thick: colour B over colour A on the inner path.
        for (int32_t partCode : {0x01, 0x02}) {
            surface = gfx::Surface(kWidth, kHeight);
            ASSERT_EQ(loaded.draw(surface, kFrame, 1, partCode), 1);
            EXPECT_TRUE(pixelNear(surface.pixel(kWidth / 2, 1), opaque(row.b), 2));
            const uint32_t a = partCode == 0x02 ? row.aOfPartTwo : row.a;
            // The outermost pixel: all of pen A, half of pen B over it.
            const uint32_t mixed = 0xFF000000 | (gfx::scalePixel(a, 128) + gfx::scalePixel(row.b, 127));
            EXPECT_TRUE(pixelNear(surface.pixel(kWidth / 2, 0), mixed, 4));
        }
    }
}

TEST_F(ThemeDraw, EllipseAndRoundedRectangleClipThePicture)
{
    const LoadedTheme lacquer = theme("Lacquer");
    const uint32_t face = pictureColour("");
    for (int32_t shape : {0, 1}) {
        SCOPED_TRACE(shape);
        surface = gfx::Surface(kWidth, kHeight);
        ASSERT_EQ(lacquer.draw(surface, kFrame, shape, 0x00), 1);
        for (auto [x, y] : {std::pair{0, 0}, {2, 2}, {kWidth - 3, 2}, {2, kHeight - 3}, {kWidth - 3, kHeight - 3}})
            EXPECT_EQ(surface.pixel(x, y), 0u) << x << "," << y;
        EXPECT_EQ(surface.pixel(kWidth / 2, kMiddleY), face);
        EXPECT_EQ(surface.pixel(3, kMiddleY), face);
    }
    // Dune's corners are rounded by 35 %: the corner pixel stays clear, a pixel a little
    // further in is the picture.
    surface = gfx::Surface(kWidth, kHeight);
    ASSERT_EQ(theme("Dune").draw(surface, kFrame, 1, 0x00), 1);
    EXPECT_EQ(surface.pixel(0, 0), 0u);
    EXPECT_EQ(surface.pixel(5, 5), face);
}

TEST_F(ThemeDraw, NegativeShapeDrawsThePictureAloneUnclipped)
{
    const LoadedTheme lacquer = theme("Lacquer");
    ASSERT_EQ(lacquer.draw(surface, kFrame, -1, 0x21), 1);
    const uint32_t needle = pictureColour("-needle");
    EXPECT_EQ(surface.pixel(0, 0), needle);
    EXPECT_EQ(surface.pixel(kWidth - 2, kHeight - 2), needle);
    // The picture is (width - 1) by (height - 1) and no frame is drawn around it.
    EXPECT_EQ(surface.pixel(kWidth - 1, kMiddleY), 0u);
    EXPECT_EQ(surface.pixel(kWidth / 2, kHeight - 1), 0u);
}

TEST_F(ThemeDraw, TransparencyScalesPictureAndFrameAlpha)
{
    const LoadedTheme timber = theme("Timber");
    ASSERT_EQ(timber.draw(surface, kFrame, 1, 0x00, 128), 1);
    const uint32_t centre = surface.pixel(kWidth / 2, kMiddleY);
    EXPECT_EQ(centre >> 24, 127u);
    EXPECT_TRUE(pixelNear(centre, gfx::scalePixel(pictureColour(""), 127), 1));
    const uint32_t frame = surface.pixel(kWidth - 1, kMiddleY);
    EXPECT_EQ(frame >> 24, 127u);
    EXPECT_TRUE(pixelNear(frame, gfx::scalePixel(opaque(0xDEB887), 127), 1));

    // Out of range is clamped: below 0 is opaque, above 255 invisible.
    surface = gfx::Surface(kWidth, kHeight);
    ASSERT_EQ(timber.draw(surface, kFrame, 1, 0x00, -40), 1);
    EXPECT_EQ(surface.pixel(kWidth / 2, kMiddleY), pictureColour(""));
    EXPECT_EQ(surface.pixel(kWidth - 1, kMiddleY) >> 24, 255u);
    surface = gfx::Surface(kWidth, kHeight);
    ASSERT_EQ(timber.draw(surface, kFrame, 1, 0x00, 300), 1);
    EXPECT_EQ(surface.pixel(kWidth / 2, kMiddleY), 0u);
    EXPECT_EQ(surface.pixel(kWidth - 1, kMiddleY), 0u);
}

TEST_F(ThemeDraw, MissingPictureDrawsNothingAndGivesZero)
{
    const LoadedTheme dune = theme("Dune");
    std::filesystem::remove(folder / "Dune-needle.png");
    writeFile(folder / "Dune-thumb.png", "\x89PNG\r\n\x1a\n broken");
    for (auto [shape, partCode] : {std::pair{-1, 0x21}, {1, 0x21}, {1, 0x11}}) {
        EXPECT_EQ(dune.draw(surface, kFrame, shape, partCode), 0);
    }
    const gfx::ConstPixelBuffer pixels = surface.pixels();
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x)
            ASSERT_EQ(pixels.row(y)[x], 0u) << x << "," << y;
    }
}

TEST_F(ThemeDraw, EmptyOrInvertedFramesAndBadArgumentsDrawNothing)
{
    const LoadedTheme alloy = theme("Alloy");
    for (const gfx::Rect rect : {gfx::Rect{5, 5, 6, 20}, gfx::Rect{5, 5, 20, 6}, gfx::Rect{20, 20, 5, 5},
                                 gfx::Rect{INT32_MIN, 0, INT32_MAX, 10}}) {
        EXPECT_EQ(alloy.draw(surface, rect, 1, 0x02), 0);
        EXPECT_EQ(alloy.draw(surface, rect, -1, 0x02), 0);
    }
    const int32_t rect[4] = {0, 0, kWidth, kHeight};
    EXPECT_EQ(alloy.drawObject(nullptr, rect, 1, 0, nullptr, nullptr, 0), 0);
    const gfx::PixelBuffer pixels = surface.pixels();
    const VxThemeSurface dc{pixels.pixels, pixels.width, pixels.height, pixels.stride};
    EXPECT_EQ(alloy.drawObject(&dc, nullptr, 1, 0, nullptr, nullptr, 0), 0);
    const VxThemeSurface broken{nullptr, kWidth, kHeight, kWidth * 4};
    EXPECT_EQ(alloy.drawObject(&broken, rect, 1, 0, nullptr, nullptr, 0), 0);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x)
            ASSERT_EQ(surface.pixel(x, y), 0u) << x << "," << y;
    }
}

TEST_F(ThemeDraw, OtherShapesDrawNeitherPictureNorFrame)
{
    ASSERT_EQ(theme("Alloy").draw(surface, kFrame, 2, 0x02), 1);
    EXPECT_EQ(surface.pixel(kWidth / 2, kMiddleY), 0u);
    EXPECT_EQ(surface.pixel(0, kMiddleY), 0u);
}

TEST_F(ThemeDraw, FrameOffsetInALargerSurfaceStaysInItsRectangle)
{
    gfx::Surface large(80, 60);
    ASSERT_EQ(theme("Timber").draw(large, gfx::Rect{20, 10, 60, 40}, 1, 0x00), 1);
    EXPECT_EQ(large.pixel(40, 25), pictureColour(""));
    EXPECT_TRUE(pixelNear(large.pixel(20, 25), opaque(0xDEB887), 3));
    EXPECT_TRUE(pixelNear(large.pixel(59, 25), opaque(0xDEB887), 3));
    EXPECT_EQ(large.pixel(19, 25), 0u);
    EXPECT_EQ(large.pixel(60, 25), 0u);
    EXPECT_EQ(large.pixel(40, 9), 0u);
    EXPECT_EQ(large.pixel(40, 40), 0u);
}

} // namespace
} // namespace vx::test
