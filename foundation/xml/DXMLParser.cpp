#include "foundation/xml/DXMLParser.h"

#include "foundation/TextHelpers.h"

namespace {

bool isWhitespace(uint8_t byte)
{
    return byte == '\t' || byte == '\n' || byte == '\r' || byte == ' ';
}

bool isMarkup(uint8_t byte)
{
    return byte == '"' || byte == '/' || byte == '=' || byte == '<' || byte == '>';
}

} // namespace

DXMLParser::DXMLParser(std::span<const uint8_t> data, Whitespace mode) : m_data(data), m_mode(mode) {}

DXMLParser::DXMLParser(const char* data, std::size_t size, Whitespace mode)
    : DXMLParser(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), data ? size : 0), mode)
{
}

void DXMLParser::skipWhitespace()
{
    while (m_position < m_data.size() && isWhitespace(m_data[m_position]))
        ++m_position;
}

void DXMLParser::stepOver()
{
    if (m_position < m_data.size())
        ++m_position;
}

std::u16string DXMLParser::readToken(Token kind)
{
    const std::size_t start = m_position;
    if (m_position >= m_data.size())
        return {};
    // The first byte always belongs to the token, whatever it is.
    ++m_position;
    while (m_position < m_data.size()) {
        const uint8_t byte = m_data[m_position];
        const bool stop = kind == Token::Text ? (byte == '<' || byte == '>')
                          : kind == Token::Value ? isMarkup(byte)
                                                 : (isMarkup(byte) || isWhitespace(byte));
        if (stop)
            break;
        ++m_position;
    }
    return utf8ToWide(reinterpret_cast<const char*>(m_data.data() + start), int64_t(m_position - start));
}

bool DXMLParser::parse()
{
    m_root.m_children.clear();
    m_root.m_text.clear();
    m_root.m_attributeNames.clear();
    m_root.m_attributeValues.clear();
    m_root.m_closing = false;
    m_root.m_contentOpen = false;
    m_current = &m_root;
    m_position = 0;

    // Skip the XML declaration: everything up to its ">", which the loop then reads.
    skipWhitespace();
    while (m_position < m_data.size() && m_data[m_position] != '>')
        ++m_position;

    const bool skipAlways = m_mode == Whitespace::SkipBeforeEveryToken;
    for (;;) {
        if (skipAlways || !m_current->m_contentOpen)
            skipWhitespace();
        if (m_position >= m_data.size())
            return true;
        uint8_t byte = m_data[m_position];
        if (byte == '<' && m_position + 1 < m_data.size() && m_data[m_position + 1] == '/') {
            ++m_position;
            byte = '/';
        }
        switch (byte) {
        case '<': {
            DXMLElement* element = m_current->addChild(u"");
            ++m_position;
            m_current = element;
            if (skipAlways)
                skipWhitespace();
            element->m_name = readToken(Token::Name);
            break;
        }
        case '/':
            // A stray end tag at top level closes nothing: the root holder stays current.
            if (m_current != &m_root)
                m_current->m_closing = true;
            ++m_position;
            break;
        case '>':
            m_current->m_contentOpen = true;
            if (m_current->m_closing && m_current->m_parent)
                m_current = m_current->m_parent;
            ++m_position;
            break;
        case '"':
            ++m_position;
            if (m_position < m_data.size() && m_data[m_position] == '"') {
                m_current->m_attributeValues.emplace_back();
                ++m_position;
            } else {
                m_current->m_attributeValues.push_back(readToken(Token::Value));
                stepOver();
            }
            break;
        default:
            if (m_current->m_closing) {
                readToken(Token::Value); // the end tag's name: not checked
            } else if (m_current->m_contentOpen) {
                m_current->m_text = readToken(Token::Text);
            } else {
                m_current->m_attributeNames.push_back(readToken(Token::Name));
                stepOver(); // the "="
            }
            break;
        }
    }
}
