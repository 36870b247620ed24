#include "tests/support/TagsFileWriter.h"

#include <cstdio>
#include <vector>

#include "foundation/xml/DXMLElement.h"
#include "tests/support/SampleTarget.h"

namespace vx::test {

namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n";

std::u16string hex(uint32_t value)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%x", value);
    return std::u16string(text, text + length);
}

std::u16string decimal(uint32_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

TagsFileEntry integerTag(std::u16string name, const target::TagReference& tag)
{
    return {u"integer", std::move(name), hex(tag.address()), {}, {}};
}

TagsFileEntry stringTag(std::u16string name, const target::TagReference& tag)
{
    return {u"UTF-16LE", std::move(name), hex(tag.address()), decimal(tag.valueSize()), {}};
}

} // namespace

std::string writeTagsFile(std::span<const TagsFileEntry> entries)
{
    DXMLElement tags(u"tags");
    for (const TagsFileEntry& entry : entries) {
        DXMLElement* element = tags.addChild(entry.type);
        element->setText(entry.name);
        if (!entry.address.empty())
            element->setAttribute(u"address", entry.address);
        if (!entry.autoAddress.empty())
            element->setAttribute(u"auto", entry.autoAddress);
        if (!entry.size.empty())
            element->setAttribute(u"size", entry.size);
    }
    std::string bytes = kDeclaration;
    tags.write(bytes);
    return bytes;
}

std::string sampleTagsFile()
{
    using T = SampleTags;
    const std::vector<TagsFileEntry> entries{
        integerTag(u"releaseCount", T::releaseCount),
        integerTag(u"buttonState", T::buttonState),
        integerTag(u"latchState", T::latchState),
        integerTag(u"indicatorButtonState", T::indicatorButtonState),
        integerTag(u"indicator", T::indicator),
        integerTag(u"light", T::light),
        integerTag(u"dynamicImage", T::dynamicImage),
        integerTag(u"message", T::message),
        integerTag(u"triggerWatched", T::triggerWatched),
        integerTag(u"triggerCount", T::triggerCount),
        integerTag(u"numeric", T::numeric),
        integerTag(u"numericEntry", T::numericEntry),
        integerTag(u"dateTime", T::dateTime),
        integerTag(u"imageBar", T::imageBar),
        integerTag(u"colourBar", T::colourBar),
        integerTag(u"meter", T::meter),
        integerTag(u"slider", T::slider),
        integerTag(u"knob", T::knob),
        integerTag(u"listSelection", T::listSelection),
        integerTag(u"dynamicListSelection", T::dynamicListSelection),
        integerTag(u"trend", T::trend),
        integerTag(u"timer", T::timer),
        integerTag(u"backState", T::backState),
        stringTag(u"text", T::text),
        stringTag(u"textEntry", T::textEntry),
        stringTag(u"dynamicListItems", T::dynamicListItems),
    };
    return writeTagsFile(entries);
}

} // namespace vx::test
