#pragma once
// How the fields' class words turn a value into the text they show. The engine's field
// widgets and the editor's previews both format through these, so the editor shows what
// the panel shows.

#include <cstdint>
#include <span>
#include <string_view>

namespace target {

// The widest number a numeric field shows, and the longest date or time text.
inline constexpr uint32_t kFieldNumberMaxWidth = 32;
inline constexpr uint32_t kDateTimeMaxLength = 31;

// A scaled value as a numeric field shows it with decimals after the point and digits
// before it: placed from the right, digits beyond the width dropped, zeros to fill where
// the leading-zero bit or the decimals ask, a "-" in front. Writes into out and returns
// the length.
uint32_t formatFieldNumber(int32_t scaled, uint32_t decimals, uint32_t digits, bool leadingZeros,
                           std::span<char16_t, kFieldNumberMaxWidth + 1> out);

// What one part of a date or time text shows.
enum class DateTimeQuantity : uint8_t {
    Day, Month, Year2, Year4, Hour, Hour12, Minute, Second,      // of a broken-down time
    CounterHours, CounterMinutes, CounterSeconds, CounterHundredths, // of hundredths of a second
};
struct DateTimePart {
    DateTimeQuantity quantity;
    uint8_t width; // zero-padded to this many digits; 0 plain
};
// The parts of a format code, in order.
struct DateTimePattern {
    uint32_t code;
    uint8_t count;
    DateTimePart parts[4];
    bool amPm; // " am" or " pm" follows
};
// A point in time broken down (month 1 to 12, full year, hour 0 to 23), and an elapsed
// time in hundredths of a second for the counter codes.
struct DateTimeParts {
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    uint64_t hundredths = 0;
};

// The pattern of a format code (dates 0x0xxxx, times of day 0x1xxxx, counters 0x2xxxx),
// or null for a code with none.
const DateTimePattern* findDateTimePattern(uint32_t code);
// Whether the pattern shows a point in time (else only the counter).
bool showsPointInTime(const DateTimePattern& pattern);

// A 12-hour clock runs 12, 1, ... 11: noon and midnight show as 12, not 0.
constexpr int32_t twelveHour(int32_t hour)
{
    return hour % 12 != 0 ? hour % 12 : 12;
}
// "pm" from noon on.
constexpr bool isAfternoon(int32_t hour)
{
    return hour >= 12;
}

// The text of time in pattern with separator between the parts (and the am/pm word
// after a space), at most kDateTimeMaxLength units, written into out; returns the length.
uint32_t formatDateTime(const DateTimePattern& pattern, std::u16string_view separator, const DateTimeParts& time,
                        std::span<char16_t, kDateTimeMaxLength> out);

} // namespace target
