#pragma once
// A node of the small XML model the system's documents use: a name, a text, attributes
// and owned children. Texts and attribute values are held in their escaped form, as they
// stand in the document; getText and getAttribute decode them.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DXMLElement {
public:
    // Passed as a name: any child matches.
    static constexpr std::optional<std::u16string_view> anyName = std::nullopt;

    explicit DXMLElement(std::u16string_view name = {});
    virtual ~DXMLElement();
    DXMLElement(const DXMLElement&) = delete;
    DXMLElement& operator=(const DXMLElement&) = delete;

    const std::u16string& name() const { return m_name; }
    DXMLElement* parent() const { return m_parent; }
    const std::vector<std::unique_ptr<DXMLElement>>& children() const { return m_children; }

    // index -1: the first match; otherwise the match numbered index from 0.
    DXMLElement* getChild(std::optional<std::u16string_view> name, int index = -1) const;
    int getChildCount(std::optional<std::u16string_view> name = anyName) const;
    DXMLElement* addChild(std::u16string_view name);

    std::u16string getText() const;
    void setText(std::u16string_view text);
    const std::u16string& storedText() const { return m_text; }

    int findAttribute(std::u16string_view name) const;
    // Empty when there is no such attribute or it was read without a value.
    std::u16string getAttribute(std::u16string_view name) const;
    void setAttribute(std::u16string_view name, std::u16string_view value);
    void setBoolAttribute(std::u16string_view name, bool value);
    void setIntAttribute(std::u16string_view name, int value);

    int attributeCount() const { return int(m_attributeNames.size()); }
    const std::u16string& attributeName(int index) const { return m_attributeNames[std::size_t(index)]; }
    // The escaped value at an index; empty where a malformed document gave none.
    std::u16string_view storedAttributeValue(int index) const;

    // Appends the element and its subtree as indented UTF-8, depth tabs in front of the
    // start tag. Iterative, so a deep tree cannot exhaust the stack.
    void write(std::string& bytes, int depth = 0) const;

private:
    friend class DXMLParser;

    DXMLElement* m_parent = nullptr;
    std::u16string m_name;
    std::u16string m_text;
    // Parallel arrays: a document may give fewer values than names.
    std::vector<std::u16string> m_attributeNames;
    std::vector<std::u16string> m_attributeValues;
    std::vector<std::unique_ptr<DXMLElement>> m_children;
    bool m_closing = false;
    bool m_contentOpen = false;
};

// Appends wide text to a byte array as UTF-8.
void appendUtf8(std::string& bytes, std::u16string_view text);
