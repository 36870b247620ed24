#include "foundation/target/TargetFieldText.h"

namespace target {

namespace {

using Q = DateTimeQuantity;

constexpr DateTimePattern kPatterns[] = {
    {0, 3, {{Q::Day, 0}, {Q::Month, 0}, {Q::Year2, 2}}, false},
    {1, 3, {{Q::Day, 2}, {Q::Month, 2}, {Q::Year2, 2}}, false},
    {2, 3, {{Q::Day, 0}, {Q::Month, 0}, {Q::Year4, 4}}, false},
    {3, 3, {{Q::Day, 2}, {Q::Month, 2}, {Q::Year4, 4}}, false},
    {16, 3, {{Q::Month, 0}, {Q::Day, 0}, {Q::Year2, 2}}, false},
    {17, 3, {{Q::Month, 2}, {Q::Day, 2}, {Q::Year2, 2}}, false},
    {18, 3, {{Q::Month, 0}, {Q::Day, 0}, {Q::Year4, 4}}, false},
    {19, 3, {{Q::Month, 2}, {Q::Day, 2}, {Q::Year4, 4}}, false},
    {32, 3, {{Q::Year2, 2}, {Q::Month, 0}, {Q::Day, 0}}, false},
    {33, 3, {{Q::Year2, 2}, {Q::Month, 2}, {Q::Day, 2}}, false},
    {34, 3, {{Q::Year4, 4}, {Q::Month, 0}, {Q::Day, 0}}, false},
    {35, 3, {{Q::Year4, 4}, {Q::Month, 2}, {Q::Day, 2}}, false},
    {65536, 2, {{Q::Hour, 2}, {Q::Minute, 2}}, false},
    {65537, 3, {{Q::Hour, 2}, {Q::Minute, 2}, {Q::Second, 2}}, false},
    {65538, 2, {{Q::Hour, 0}, {Q::Minute, 0}}, false},
    {65539, 3, {{Q::Hour, 0}, {Q::Minute, 0}, {Q::Second, 0}}, false},
    {65552, 2, {{Q::Hour12, 2}, {Q::Minute, 2}}, false},
    {65553, 2, {{Q::Hour12, 2}, {Q::Minute, 2}}, true},
    {65554, 3, {{Q::Hour12, 2}, {Q::Minute, 2}, {Q::Second, 2}}, false},
    {65555, 3, {{Q::Hour12, 2}, {Q::Minute, 2}, {Q::Second, 2}}, true},
    {65556, 2, {{Q::Hour12, 0}, {Q::Minute, 0}}, false},
    {65557, 2, {{Q::Hour12, 0}, {Q::Minute, 0}}, true},
    {65558, 3, {{Q::Hour12, 0}, {Q::Minute, 0}, {Q::Second, 0}}, false},
    {65559, 3, {{Q::Hour12, 0}, {Q::Minute, 0}, {Q::Second, 0}}, true},
    {131072, 3, {{Q::CounterHours, 2}, {Q::CounterMinutes, 2}, {Q::CounterSeconds, 2}}, false},
    {131073, 4, {{Q::CounterHours, 2}, {Q::CounterMinutes, 2}, {Q::CounterSeconds, 2}, {Q::CounterHundredths, 2}},
     false},
    {131074, 2, {{Q::CounterHours, 2}, {Q::CounterMinutes, 2}}, false},
    {131075, 3, {{Q::CounterHours, 0}, {Q::CounterMinutes, 0}, {Q::CounterSeconds, 0}}, false},
    {131076, 4, {{Q::CounterHours, 0}, {Q::CounterMinutes, 0}, {Q::CounterSeconds, 0}, {Q::CounterHundredths, 0}},
     false},
    {131077, 2, {{Q::CounterHours, 0}, {Q::CounterMinutes, 0}}, false},
};

bool isCounter(Q quantity)
{
    return quantity >= Q::CounterHours;
}

// Appends up to the room it has; what does not fit is dropped.
class Writer {
public:
    explicit Writer(std::span<char16_t> buffer) : m_buffer(buffer) {}
    void text(std::u16string_view units)
    {
        for (char16_t unit : units)
            if (m_length < m_buffer.size())
                m_buffer[m_length++] = unit;
    }
    void number(uint64_t value, uint32_t width)
    {
        constexpr uint32_t kMostDigits = 20;
        char16_t digits[kMostDigits];
        uint32_t count = 0;
        do {
            digits[count++] = char16_t(u'0' + value % 10);
            value /= 10;
        } while (value && count < kMostDigits);
        while (count < width && count < kMostDigits)
            digits[count++] = u'0';
        while (count)
            text(std::u16string_view(&digits[--count], 1));
    }
    uint32_t length() const { return uint32_t(m_length); }

private:
    std::span<char16_t> m_buffer;
    std::size_t m_length = 0;
};

uint64_t unsignedPart(int32_t value)
{
    return value < 0 ? 0 : uint64_t(value);
}

} // namespace

uint32_t formatFieldNumber(int32_t scaled, uint32_t decimals, uint32_t digits, bool leadingZeros,
                           std::span<char16_t, kFieldNumberMaxWidth + 1> out)
{
    const bool negative = scaled < 0;
    uint64_t magnitude = negative ? uint64_t(-int64_t(scaled)) : uint64_t(scaled);
    // Zero has one digit of its own, so a field without decimals shows "0" rather than nothing.
    bool digitsLeft = true;
    uint64_t width = decimals == 0 ? uint64_t(digits) : uint64_t(decimals) + digits + 1;
    if (width > kFieldNumberMaxWidth)
        width = kFieldNumberMaxWidth;
    // Placed from the right; the sign takes the one unit beyond the widest number.
    char16_t placed[kFieldNumberMaxWidth];
    uint32_t count = 0;
    for (uint64_t i = 0; i < width; ++i) {
        char16_t unit;
        if (decimals > 0 && i == decimals) {
            unit = u'.';
        } else if (digitsLeft) {
            unit = char16_t(u'0' + magnitude % 10);
            magnitude /= 10;
            digitsLeft = magnitude != 0;
        } else if (leadingZeros || (decimals > 0 && i <= uint64_t(decimals) + 1)) {
            unit = u'0';
        } else {
            break;
        }
        placed[kFieldNumberMaxWidth - 1 - count++] = unit;
    }
    uint32_t length = 0;
    if (negative)
        out[length++] = u'-';
    for (uint32_t i = kFieldNumberMaxWidth - count; i < kFieldNumberMaxWidth; ++i)
        out[length++] = placed[i];
    return length;
}

const DateTimePattern* findDateTimePattern(uint32_t code)
{
    for (const DateTimePattern& pattern : kPatterns)
        if (pattern.code == code)
            return &pattern;
    return nullptr;
}

bool showsPointInTime(const DateTimePattern& pattern)
{
    for (uint8_t i = 0; i < pattern.count; ++i)
        if (!isCounter(pattern.parts[i].quantity))
            return true;
    return false;
}

uint32_t formatDateTime(const DateTimePattern& pattern, std::u16string_view separator, const DateTimeParts& time,
                        std::span<char16_t, kDateTimeMaxLength> out)
{
    Writer writer(out);
    for (uint8_t i = 0; i < pattern.count; ++i) {
        if (i > 0)
            writer.text(separator);
        const DateTimePart& part = pattern.parts[i];
        uint64_t number = 0;
        switch (part.quantity) {
        case Q::Day: number = unsignedPart(time.day); break;
        case Q::Month: number = unsignedPart(time.month); break;
        case Q::Year2: number = unsignedPart(time.year % 100); break;
        case Q::Year4: number = unsignedPart(time.year); break;
        case Q::Hour: number = unsignedPart(time.hour); break;
        case Q::Hour12: number = unsignedPart(twelveHour(time.hour)); break;
        case Q::Minute: number = unsignedPart(time.minute); break;
        case Q::Second: number = unsignedPart(time.second); break;
        case Q::CounterHours: number = time.hundredths / 360000; break;
        case Q::CounterMinutes: number = time.hundredths / 6000 % 60; break;
        case Q::CounterSeconds: number = time.hundredths / 100 % 60; break;
        case Q::CounterHundredths: number = time.hundredths % 100; break;
        }
        writer.number(number, part.width);
    }
    if (pattern.amPm)
        writer.text(isAfternoon(time.hour) ? u" pm" : u" am");
    return writer.length();
}

} // namespace target
