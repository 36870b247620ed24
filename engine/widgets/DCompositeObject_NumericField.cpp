#include "engine/widgets/DCompositeObject_NumericField.h"

#include <algorithm>

#include "engine/primitives/DBaseObject_Text.h"
#include "engine/core/DFile.h"
#include "engine/tags/DItem.h"
#include "engine/core/DStatus.h"
#include "engine/tags/DValue.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetFieldText.h"

namespace {

int32_t truncated(int64_t value)
{
    return int32_t(uint32_t(uint64_t(value)));
}

} // namespace

int DCompositeObject_NumericField::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::NumericFieldWords words;
    const int status = target::readClassData(file, words).status;
    m_format.decimals = words.decimals();
    m_format.digits = words.digits();
    m_format.leadingZeros = words.leadingZeros();
    m_format.multiplier = words.multiplier;
    m_format.divisor = words.divisor;
    m_format.offset = words.offset;
    loadField(file, words.frameImage, words.valueTag);
    takeFocusOnText(entryKind());
    return status;
}

int32_t DCompositeObject_NumericField::scaledValue(int32_t value, const Format& format)
{
    int64_t scaled = value;
    if (format.multiplier != 1)
        scaled *= format.multiplier;
    if (format.divisor != 1 && format.divisor != 0)
        scaled /= format.divisor;
    return truncated(scaled + format.offset);
}

int32_t DCompositeObject_NumericField::rawValue(int32_t entered, const Format& format)
{
    const int64_t divisor = format.divisor ? format.divisor : 1;
    // |entered - offset| < 2^32 and |divisor| <= 2^31: the product fits in 64 bits.
    int64_t raw = divisor * (int64_t(entered) - format.offset);
    if (format.multiplier != 1 && format.multiplier != 0)
        raw /= format.multiplier;
    return truncated(raw);
}

uint32_t DCompositeObject_NumericField::formatNumber(int32_t scaled, const Format& format,
                                                     char16_t (&out)[kMaxWidth + 2])
{
    const uint32_t length = target::formatFieldNumber(scaled, format.decimals, format.digits, format.leadingZeros,
                                                      std::span<char16_t, kMaxWidth + 1>(out, kMaxWidth + 1));
    out[length] = 0;
    return length;
}

int32_t DCompositeObject_NumericField::parseEntry(std::u16string_view text, uint32_t decimals)
{
    // Beyond this the number is pinned to the 32-bit range anyway.
    constexpr int64_t kCeiling = int64_t(1) << 40;
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative)
        ++at;
    int64_t number = 0;
    bool point = false;
    uint32_t fraction = 0;
    for (; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit == u'.' && !point && decimals > 0) {
            point = true;
            continue;
        }
        if (unit < u'0' || unit > u'9')
            break;
        if (point && fraction >= decimals)
            continue;
        if (point)
            ++fraction;
        number = std::min(number * 10 + (unit - u'0'), kCeiling);
    }
    for (; fraction < decimals && number < kCeiling; ++fraction)
        number = std::min(number * 10, kCeiling);
    if (negative)
        number = -number;
    return int32_t(std::clamp<int64_t>(number, INT32_MIN, INT32_MAX));
}

void DCompositeObject_NumericField::onValueChanged(DItem& item)
{
    if (!m_text)
        return;
    char16_t text[kMaxWidth + 2];
    const uint32_t length = formatNumber(scaledValue(item.value().shownNumber(), m_format), m_format, text);
    m_shown.assign(std::u16string_view(text, length));
    m_text->setText(m_shown);
}

void DCompositeObject_NumericField::commitText(const DString& text)
{
    DValue* value = boundValue();
    if (entryKind() != Entry::Numeric || !value || !value->isNumber())
        return;
    const int32_t raw = rawValue(parseEntry(text.view(), m_format.decimals), m_format);
    const bool same = value->type() == DValue::kShort ? uint16_t(value->number()) == uint16_t(raw)
                                                      : value->number() == raw;
    if (same)
        return;
    value->setNumber(value->type() == DValue::kShort ? int32_t(int16_t(uint16_t(raw))) : raw);
    value->markWritten();
}
