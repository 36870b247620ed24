#include "foundation/xml/DXMLElement.h"

#include "foundation/TextHelpers.h"
#include "foundation/xml/DXMLEntities.h"

namespace {

bool nameMatches(const std::optional<std::u16string_view>& wanted, const std::u16string& name)
{
    return !wanted || *wanted == name;
}

void appendIndentation(std::string& bytes, int depth)
{
    bytes.append(std::size_t(depth > 0 ? depth : 0), '\t');
}

// The start tag, and for a leaf its text and end tag; true when children follow.
bool writeOpening(const DXMLElement& element, std::string& bytes, int depth)
{
    const bool named = !element.name().empty();
    if (named) {
        appendIndentation(bytes, depth);
        bytes.push_back('<');
        appendUtf8(bytes, element.name());
        for (int i = 0; i < element.attributeCount(); ++i) {
            bytes.push_back(' ');
            appendUtf8(bytes, element.attributeName(i));
            bytes.append("=\"");
            appendUtf8(bytes, element.storedAttributeValue(i));
            bytes.push_back('"');
        }
        bytes.push_back('>');
    }
    if (!element.children().empty()) {
        if (named)
            bytes.push_back('\n');
        return true;
    }
    appendUtf8(bytes, element.storedText());
    if (named) {
        bytes.append("</");
        appendUtf8(bytes, element.name());
        bytes.append(">\n");
    }
    return false;
}

void writeClosing(const DXMLElement& element, std::string& bytes, int depth)
{
    appendIndentation(bytes, depth);
    if (!element.name().empty()) {
        bytes.append("</");
        appendUtf8(bytes, element.name());
        bytes.append(">\n");
    }
}

} // namespace

DXMLElement::DXMLElement(std::u16string_view name) : m_name(name) {}

DXMLElement::~DXMLElement()
{
    // Flattened, so that a deeply nested document cannot exhaust the stack.
    std::vector<std::unique_ptr<DXMLElement>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<DXMLElement> element = std::move(pending.back());
        pending.pop_back();
        for (auto& child : element->m_children)
            pending.push_back(std::move(child));
        element->m_children.clear();
    }
}

DXMLElement* DXMLElement::getChild(std::optional<std::u16string_view> name, int index) const
{
    int found = 0;
    for (const auto& child : m_children) {
        if (!nameMatches(name, child->m_name))
            continue;
        if (index < 0 || found == index)
            return child.get();
        ++found;
    }
    return nullptr;
}

int DXMLElement::getChildCount(std::optional<std::u16string_view> name) const
{
    int count = 0;
    for (const auto& child : m_children)
        count += nameMatches(name, child->m_name) ? 1 : 0;
    return count;
}

DXMLElement* DXMLElement::addChild(std::u16string_view name)
{
    m_children.push_back(std::make_unique<DXMLElement>(name));
    m_children.back()->m_parent = this;
    return m_children.back().get();
}

std::u16string DXMLElement::getText() const
{
    return decodeXmlEntities(m_text);
}

void DXMLElement::setText(std::u16string_view text)
{
    m_text = escapeXmlText(text);
}

int DXMLElement::findAttribute(std::u16string_view name) const
{
    for (std::size_t i = 0; i < m_attributeNames.size(); ++i) {
        if (m_attributeNames[i] == name)
            return int(i);
    }
    return -1;
}

std::u16string DXMLElement::getAttribute(std::u16string_view name) const
{
    const int index = findAttribute(name);
    return index < 0 ? std::u16string() : decodeXmlEntities(storedAttributeValue(index));
}

std::u16string_view DXMLElement::storedAttributeValue(int index) const
{
    return index >= 0 && std::size_t(index) < m_attributeValues.size() ? std::u16string_view(m_attributeValues[std::size_t(index)])
                                                                       : std::u16string_view();
}

void DXMLElement::setAttribute(std::u16string_view name, std::u16string_view value)
{
    int index = findAttribute(name);
    if (index < 0) {
        index = int(m_attributeNames.size());
        m_attributeNames.emplace_back(name);
    }
    // A value-less attribute read from a malformed document gets its slot here.
    if (m_attributeValues.size() < m_attributeNames.size())
        m_attributeValues.resize(m_attributeNames.size());
    m_attributeValues[std::size_t(index)] = escapeXmlAttribute(value);
}

void DXMLElement::setBoolAttribute(std::u16string_view name, bool value)
{
    setAttribute(name, value ? u"TRUE" : u"FALSE");
}

void DXMLElement::setIntAttribute(std::u16string_view name, int value)
{
    const std::string digits = std::to_string(value);
    setAttribute(name, std::u16string(digits.begin(), digits.end()));
}

void DXMLElement::write(std::string& bytes, int depth) const
{
    if (!writeOpening(*this, bytes, depth))
        return;
    struct Frame {
        const DXMLElement* element;
        std::size_t next;
    };
    std::vector<Frame> stack{{this, 0}};
    while (!stack.empty()) {
        const int level = depth + int(stack.size()) - 1;
        Frame& frame = stack.back();
        if (frame.next < frame.element->m_children.size()) {
            const DXMLElement& child = *frame.element->m_children[frame.next++];
            if (writeOpening(child, bytes, level + 1))
                stack.push_back({&child, 0});
        } else {
            writeClosing(*frame.element, bytes, level);
            stack.pop_back();
        }
    }
}

void appendUtf8(std::string& bytes, std::u16string_view text)
{
    bytes.append(wideToUtf8(text));
}
