#include "engine/widgets/DCompositeObject_DynamicListbox.h"

#include <vector>

#include "engine/primitives/DBaseObject.h"
#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/primitives/DBaseObject_Text.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/core/DFile.h"
#include "engine/tags/DItem.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetListBoxWords.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_DynamicListbox::DCompositeObject_DynamicListbox() = default;
DCompositeObject_DynamicListbox::~DCompositeObject_DynamicListbox() = default;

int DCompositeObject_DynamicListbox::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::DynamicListboxClassData data;
    const int status = target::readClassData(file, data).status;
    takeBackgrounds(file, data.backgrounds);
    const target::DynamicListboxWords& words = data.words;
    m_separator = words.separatorUnit();
    m_itemsTag = DItemDescriptor::fromReference(words.itemsTag);
    m_selectionTag = DItemDescriptor::fromReference(words.selectionTag);
    loadList(file);
    m_template.reset(DBaseObject::create(this, m_page, file));
    return status;
}

void DCompositeObject_DynamicListbox::show()
{
    // Rows are drawn as the template would draw itself: its descriptor and its style word.
    if (m_list) {
        const auto* text = dynamic_cast<const DBaseObject_Text*>(m_template.get());
        m_list->setTextDescriptor(text ? &text->descriptor() : nullptr, text ? text->style() : 0);
    }
    showSelection();
    bind(m_itemsTag);
}

void DCompositeObject_DynamicListbox::hide()
{
    unbind(m_itemsTag);
    DCompositeObject_Listbox::hide();
}

void DCompositeObject_DynamicListbox::onValueChanged(DItem& item)
{
    if (&item == m_itemsTag.item)
        splitItems(item.value());
    DCompositeObject_Listbox::onValueChanged(item);
}

void DCompositeObject_DynamicListbox::splitItems(const DValue& value)
{
    if (!m_list || !value.isString())
        return;
    const std::span<const uint8_t> bytes = value.bytes();
    // No character set makes more UTF-16 units than it has bytes; one more for the end.
    std::vector<char16_t> units(bytes.size() + 1, 0);
    if (value.type() == DCharsetTable::kUtf16LE) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            units[i / 2] = char16_t(bytes[i] | bytes[i + 1] << 8);
    } else {
        // What converted before a sequence it cannot convert is kept.
        (void)convertCharset(DCharsetTable::kUtf16LE, bytes.data(), value.type(), units.data(), bytes.size(),
                             (units.size() - 1) * sizeof(char16_t));
    }
    std::u16string_view text(units.data());
    if (text.empty())
        return; // an empty string leaves the rows as they are
    uint32_t parts = 0;
    while (!text.empty()) {
        const std::size_t end = text.find(m_separator);
        m_list->setRowText(parts++, text.substr(0, end));
        text = end == std::u16string_view::npos ? std::u16string_view{} : text.substr(end + 1);
    }
    m_list->setRowCount(parts);
}
