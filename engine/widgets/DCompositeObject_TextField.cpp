#include "engine/widgets/DCompositeObject_TextField.h"

#include <algorithm>

#include "engine/primitives/DBaseObject_Text.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/core/DFile.h"
#include "engine/tags/DItem.h"
#include "engine/tags/DValue.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetClassData.h"

int DCompositeObject_TextField::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::TextFieldWords words;
    const int status = target::readClassData(file, words).status;
    loadField(file, words.frameImage, words.valueTag);
    // Entry needs room in the tag to write to.
    takeFocusOnText(m_valueTag.size ? entryKind() : Entry::None);
    return status;
}

bool DCompositeObject_TextField::valueText(const DValue& value, std::vector<char16_t>& buffer, DString& out)
{
    if (!value.isString() || value.size() == 0)
        return false;
    // No set makes more than one unit of a byte, and the zero unit behind them fits too.
    const std::size_t units = std::size_t(value.size()) + 1;
    if (buffer.size() < units)
        buffer.resize(units);
    std::size_t written = 0;
    const long result = convertCharset(DCharsetTable::kUtf16LE, value.bytes().data(), value.type(), buffer.data(),
                                       value.size(), units * sizeof(char16_t), &written);
    if (result < 0 && written == 0)
        return false;
    const std::size_t produced = std::min(written / sizeof(char16_t), units - 1);
    const auto* begin = buffer.data();
    const auto* end = std::find(begin, begin + produced, u'\0');
    out.assign(std::u16string_view(begin, std::size_t(end - begin)));
    return true;
}

void DCompositeObject_TextField::onValueChanged(DItem& item)
{
    if (m_text && valueText(item.value(), m_buffer, m_shown))
        m_text->setText(m_shown);
}

void DCompositeObject_TextField::commitText(const DString& text)
{
    DValue* value = boundValue();
    if (entryKind() != Entry::Text || !value || !value->isString())
        return;
    if (valueText(*value, m_buffer, m_shown) && m_shown == text)
        return;
    // The text as UTF-16 with its zero unit, converted into the tag's set by assign.
    const uint32_t units = std::min<uint32_t>(text.length(), (UINT16_MAX - 1) / 2);
    DValue entered;
    entered.init(nullptr, uint16_t(2 * units + 2), DCharsetTable::kUtf16LE);
    std::vector<uint8_t> bytes(std::size_t(2) * units + 2, 0);
    for (uint32_t i = 0; i < units; ++i) {
        bytes[2 * i] = uint8_t(text.data()[i]);
        bytes[2 * i + 1] = uint8_t(text.data()[i] >> 8);
    }
    entered.setBytes(bytes);
    value->assign(entered);
    value->markWritten();
}
