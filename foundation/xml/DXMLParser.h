#pragma once
// Turns UTF-8 bytes into a DXMLElement tree. Not a general XML processor: it knows
// elements, attributes in double quotes, text and the entity forms of DXMLEntities.
// It never fails: malformed input gives a partial tree, and every read stays inside
// the data.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "foundation/xml/DXMLElement.h"

class DXMLParser {
public:
    // The editor keeps whitespace inside content as text; the engine's reader skips
    // whitespace before every token, so whitespace-only runs never become text.
    enum class Whitespace { KeepInContent, SkipBeforeEveryToken };

    explicit DXMLParser(std::span<const uint8_t> data, Whitespace mode = Whitespace::KeepInContent);
    DXMLParser(const char* data, std::size_t size, Whitespace mode = Whitespace::KeepInContent);
    DXMLParser(const DXMLParser&) = delete;
    DXMLParser& operator=(const DXMLParser&) = delete;

    // Builds the tree under the root holder; always true (see above). A second call
    // parses the data again into a fresh tree.
    bool parse();

    // Whether the data ended inside an element (its end tag never came): the tree then
    // holds what came before.
    bool EndedEarly() const { return m_current != &m_root; }

    // The nameless holder whose children are the document's top-level elements.
    DXMLElement& root() { return m_root; }
    const DXMLElement& root() const { return m_root; }

private:
    enum class Token { Name, Value, Text };

    void skipWhitespace();
    std::u16string readToken(Token kind);
    void stepOver();

    std::span<const uint8_t> m_data;
    std::size_t m_position = 0;
    Whitespace m_mode;
    DXMLElement m_root;
    DXMLElement* m_current = &m_root;
};
