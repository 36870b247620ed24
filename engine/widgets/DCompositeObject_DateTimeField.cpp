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

const DCompositeObject_DateTimeField::Pattern* DCompositeObject_DateTimeField::findPattern(uint32_t code)
{
    return target::findDateTimePattern(code);
}

bool DCompositeObject_DateTimeField::formatValue(const Pattern& pattern, std::u16string_view separator,
                                                 int32_t value, DString& out)
{
    target::DateTimeParts parts;
    if (target::showsPointInTime(pattern)) {
        std::tm broken{};
        const std::time_t seconds = std::time_t(value);
        if (!gmtime_r(&seconds, &broken))
            return false;
        parts.day = broken.tm_mday;
        parts.month = broken.tm_mon + 1;
        parts.year = broken.tm_year + 1900;
        parts.hour = broken.tm_hour;
        parts.minute = broken.tm_min;
        parts.second = broken.tm_sec;
    }
    // Elapsed time is a count: it never runs below zero.
    parts.hundredths = uint32_t(value);
    char16_t buffer[kMaxLength];
    const uint32_t length = target::formatDateTime(pattern, separator, parts, buffer);
    out.assign(std::u16string_view(buffer, length));
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
