#include <gtest/gtest.h>

#include <string>

#include "foundation/target/TargetFieldText.h"

namespace {

TEST(TargetFieldText, TwelveHourClockRunsTwelveOneToElevenAndPmFromNoon)
{
    const int32_t shown[24] = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int32_t hour = 0; hour < 24; ++hour) {
        EXPECT_EQ(target::twelveHour(hour), shown[hour]) << hour;
        EXPECT_EQ(target::isAfternoon(hour), hour >= 12) << hour;
    }
}

TEST(TargetFieldText, NumberNeverWritesBeyondItsWidestAndSign)
{
    char16_t out[target::kFieldNumberMaxWidth + 1];
    const uint32_t length = target::formatFieldNumber(INT32_MIN, 200, 255, true, out);
    ASSERT_EQ(length, target::kFieldNumberMaxWidth + 1);
    EXPECT_EQ(out[0], u'-');
    EXPECT_EQ(target::formatFieldNumber(0, 0, 0, false, out), 0u);
    EXPECT_EQ(target::formatFieldNumber(0, 0, 1, false, out), 1u);
    EXPECT_EQ(out[0], u'0');
}

TEST(TargetFieldText, DateTimeTextStopsAtItsLongest)
{
    char16_t out[target::kDateTimeMaxLength];
    target::DateTimeParts parts;
    parts.hundredths = ~uint64_t(0);
    const auto* pattern = target::findDateTimePattern(0x20004);
    ASSERT_NE(pattern, nullptr);
    EXPECT_FALSE(target::showsPointInTime(*pattern));
    EXPECT_EQ(target::formatDateTime(*pattern, u"----------", parts, out), target::kDateTimeMaxLength);
    EXPECT_TRUE(target::showsPointInTime(*target::findDateTimePattern(0)));
}

} // namespace
