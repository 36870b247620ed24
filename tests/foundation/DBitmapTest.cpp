#include <gtest/gtest.h>

#include "foundation/text/DBitmap.h"

namespace {

using foundation::DBitmap;

TEST(DBitmap, IsZeroFilledWithAStrideOfWholeRows)
{
    DBitmap bitmap(7, 3);
    ASSERT_TRUE(bitmap.hasPixels());
    EXPECT_EQ(bitmap.width(), 7);
    EXPECT_EQ(bitmap.height(), 3);
    EXPECT_EQ(bitmap.stride(), 28);
    EXPECT_EQ(bitmap.bytesPerPixel(), 4);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), 0u);
    bitmap.row32(2)[6] = 0x01020304u;
    EXPECT_EQ(bitmap.pixels()[2 * 28 + 6 * 4], 0x04);

    DBitmap grey(5, 2, 1);
    EXPECT_EQ(grey.stride(), 5);
}

TEST(DBitmap, AnUnusableSizeMakesNoPixels)
{
    struct Case {
        int32_t width, height, bytesPerPixel;
    };
    for (Case c : {Case{0, 5, 4}, Case{5, -1, 4}, Case{4, 4, 3}, Case{65536, 65536, 4}, Case{INT32_MAX, INT32_MAX, 4}}) {
        DBitmap bitmap(c.width, c.height, c.bytesPerPixel);
        EXPECT_FALSE(bitmap.hasPixels()) << c.width << "x" << c.height;
        EXPECT_EQ(bitmap.pixels(), nullptr);
        EXPECT_EQ(bitmap.width(), 0);
    }
}

TEST(DBitmap, FormatIndexOfBytesPerPixel)
{
    EXPECT_EQ(DBitmap::formatIndex(1), 0);
    EXPECT_EQ(DBitmap::formatIndex(2), 1);
    EXPECT_EQ(DBitmap::formatIndex(4), 2);
    EXPECT_EQ(DBitmap::formatIndex(3), -1);
    EXPECT_EQ(DBitmap::formatIndex(0), -1);
}

} // namespace
