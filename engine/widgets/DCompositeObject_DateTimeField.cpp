#include "engine/widgets/DCompositeObject_DateTimeField.h"

#include <algorithm>
#include <ctime>

#include "engine/primitives/DBaseObject_Text.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/core/DFile.h"
#include "engine/tags/DItem.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetClassData.h"

namespace {

using Pattern = DCompositeObject_DateTimeField::Pattern;
using Q = DCompositeObject_DateTimeField::Quantity;

// Every format code and its parts (the editor's codes: dates 0x0xxxx, times of day
// 0x1xxxx, counters 0x2xxxx).
constexpr Pattern kPatterns[] = {
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

// Appends up to the longest text; false once it is full.
class Writer {
public:
    explicit Writer(char16_t (&buffer)[DCompositeObject_DateTimeField::kMaxLength]) : m_buffer(buffer) {}
    void text(std::u16string_view units)
    {
        for (char16_t unit : units)
            if (m_length < DCompositeObject_DateTimeField::kMaxLength)
                m_buffer[m_length++] = unit;
    }
    void number(uint64_t value, uint32_t width)
    {
        char16_t digits[24];
        uint32_t count = 0;
        do {
            digits[count++] = char16_t(u'0' + value % 10);
            value /= 10;
        } while (value && count < 20);
        while (count < width && count < 20)
            digits[count++] = u'0';
        while (count)
            text(std::u16string_view(&digits[--count], 1));
    }
    std::u16string_view view() const { return {m_buffer, m_length}; }

private:
    char16_t (&m_buffer)[DCompositeObject_DateTimeField::kMaxLength];
    uint32_t m_length = 0;
};

} // namespace

const DCompositeObject_DateTimeField::Pattern* DCompositeObject_DateTimeField::findPattern(uint32_t code)
{
    for (const Pattern& pattern : kPatterns)
        if (pattern.code == code)
            return &pattern;
    return nullptr;
}

bool DCompositeObject_DateTimeField::formatValue(const Pattern& pattern, std::u16string_view separator,
                                                 int32_t value, DString& out)
{
    std::tm broken{};
    bool needsTime = false;
    for (uint8_t i = 0; i < pattern.count; ++i)
        needsTime = needsTime || !isCounter(pattern.parts[i].quantity);
    if (needsTime) {
        const std::time_t seconds = std::time_t(value);
        if (!gmtime_r(&seconds, &broken))
            return false;
    }
    // Elapsed time is a count: it never runs below zero.
    const uint64_t hundredths = uint32_t(value);
    char16_t buffer[kMaxLength];
    Writer writer(buffer);
    for (uint8_t i = 0; i < pattern.count; ++i) {
        if (i > 0)
            writer.text(separator);
        const Part& part = pattern.parts[i];
        uint64_t number = 0;
        switch (part.quantity) {
        case Q::Day: number = uint64_t(broken.tm_mday); break;
        case Q::Month: number = uint64_t(broken.tm_mon + 1); break;
        case Q::Year2: number = uint64_t((broken.tm_year + 1900) % 100); break;
        case Q::Year4: number = uint64_t(broken.tm_year + 1900); break;
        case Q::Hour: number = uint64_t(broken.tm_hour); break;
        // A 12-hour clock runs 12, 1, ... 11: noon and midnight show as 12, not 0.
        case Q::Hour12: number = uint64_t(broken.tm_hour % 12 ? broken.tm_hour % 12 : 12); break;
        case Q::Minute: number = uint64_t(broken.tm_min); break;
        case Q::Second: number = uint64_t(broken.tm_sec); break;
        case Q::CounterHours: number = hundredths / 360000; break;
        case Q::CounterMinutes: number = hundredths / 6000 % 60; break;
        case Q::CounterSeconds: number = hundredths / 100 % 60; break;
        case Q::CounterHundredths: number = hundredths % 100; break;
        }
        writer.number(number, part.width);
    }
    if (pattern.amPm)
        writer.text(broken.tm_hour >= 12 ? u" pm" : u" am"); // noon is 12 pm
    out.assign(writer.view());
    return true;
}

int DCompositeObject_DateTimeField::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::DateTimeFieldWords words;
    const int status = target::readClassData(file, words).status;
    m_code = words.formatCode;
    // The editor writes the separator in the Windows code page; at most 3 characters of it.
    const std::string_view narrow = words.separator.text();
    std::size_t written = 0;
    char16_t converted[target::DateTimeSeparator::kMaxCharacters + 1] = {};
    static const int kAnsiCodePage = DCharsetTable::find("CP1252");
    if (kAnsiCodePage >= 0 && !narrow.empty())
        (void)convertCharset(DCharsetTable::kUtf16LE, narrow.data(), uint32_t(kAnsiCodePage), converted,
                             narrow.size(), sizeof converted, &written);
    m_separatorLength = uint32_t(std::min<std::size_t>(written / 2, target::DateTimeSeparator::kMaxCharacters));
    for (uint32_t i = 0; i < m_separatorLength; ++i)
        m_separator[i] = converted[i];
    m_pattern = findPattern(m_code);
    loadField(file, words.frameImage, words.valueTag);
    return status;
}

void DCompositeObject_DateTimeField::onValueChanged(DItem& item)
{
    if (!m_text)
        return;
    if (!m_pattern) {
        m_text->setText(m_shown); // no format: always empty
        return;
    }
    if (formatValue(*m_pattern, separator(), item.value().shownNumber(), m_shown))
        m_text->setText(m_shown);
}
