#include "engine/widgets/DWidgetTags.h"

#include "engine/tags/DItem.h"
#include "engine/tags/DValue.h"

void DWidgetTags::bind(DProject* project, DItemObserver& observer, DProject::Binding binding,
                       std::initializer_list<DItemDescriptor*> tags)
{
    if (!project)
        return;
    for (DItemDescriptor* tag : tags)
        if (!tag->isNoTag())
            (void)project->bindTag(*tag, observer, binding);
}

void DWidgetTags::unbind(DProject* project, DItemObserver& observer, std::initializer_list<DItemDescriptor*> tags)
{
    for (DItemDescriptor* tag : tags) {
        if (project && tag->item)
            (void)project->bindTag(*tag, observer, DProject::Binding::Unwatch);
        tag->item = nullptr;
    }
}

void DWidgetTags::writeOwnNumber(const DItemDescriptor& tag, int32_t number, bool& acceptValueChanges)
{
    if (!tag.item)
        return;
    DValue& value = tag.item->value();
    if (!value.isNumber())
        return;
    // Compared once narrowed to the tag's width, so an unchanged 16-bit tag is not rewritten.
    const int32_t before = value.number();
    acceptValueChanges = false;
    value.setNumber(number);
    if (value.number() != before)
        value.markWritten();
    acceptValueChanges = true;
}

void DWidgetTags::writeNumber(const DItemDescriptor& tag, int32_t number)
{
    if (!tag.item)
        return;
    DValue written;
    written.init(nullptr, 4, DValue::kInteger);
    written.setNumber(number);
    DValue& value = tag.item->value();
    if (value.equals(written))
        return;
    value.assign(written);
    value.markWritten();
}

uint32_t DWidgetTags::number(const DItem& item)
{
    return uint32_t(item.value().shownNumber());
}
