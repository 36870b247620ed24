#include "editor/document/PropertyDefinitionParser.h"

#include <string>

namespace {

struct KindLetter {
    char16_t letter;
    PropertyKind kind;
};

constexpr KindLetter kKindLetters[] = {
    {u'C', PropertyKind::Colors},   {u'M', PropertyKind::Messages}, {u'R', PropertyKind::RelFiles},
    {u'b', PropertyKind::Bool},     {u'c', PropertyKind::Color},    {u'f', PropertyKind::None},
    {u'g', PropertyKind::Group},    {u'i', PropertyKind::Int},      {u'l', PropertyKind::List},
    {u'm', PropertyKind::MultiText}, {u'r', PropertyKind::RelFile}, {u's', PropertyKind::String},
};

bool isSeparator(char16_t c)
{
    return c == u',' || c == u'\n' || c == u'\r' || c == u'\t';
}

std::vector<std::u16string_view> tokens(std::u16string_view text)
{
    std::vector<std::u16string_view> out;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text[i]))
            continue;
        if (i > start)
            out.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    return out;
}

std::u16string defaultFrom(std::u16string_view token)
{
    if (token.starts_with(u'*'))
        return {};
    std::u16string text(token);
    for (char16_t& c : text)
        if (c == u'|')
            c = kListSeparator;
    return text;
}

} // namespace

bool PropertyKindFromWord(std::u16string_view word, PropertyKind& kind)
{
    if (word.empty())
        return false;
    for (const KindLetter& entry : kKindLetters) {
        if (entry.letter == word.front()) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

void ParsePropertyDefinitionText(std::u16string_view text, std::vector<CPropertyDefinition>& records)
{
    const std::vector<std::u16string_view> words = tokens(text);
    PropertyKind kind = PropertyKind::Group;
    size_t i = 0;
    while (i < words.size()) {
        PropertyKindFromWord(words[i++], kind); // an unknown word keeps the previous kind
        CPropertyDefinition record;
        record.kind = kind;
        if (kind == PropertyKind::Group) {
            if (i < words.size())
                record.caption = words[i++];
            record.key = u"g";
        } else {
            if (i < words.size())
                record.caption = words[i++];
            if (i < words.size())
                record.defaultText = defaultFrom(words[i++]);
            if (i < words.size())
                record.key = words[i++];
            if (i < words.size())
                record.description = words[i++];
        }
        if (!record.caption.empty() && !record.key.empty())
            records.push_back(std::move(record));
    }
}
