#include "foundation/xml/DXMLEntities.h"

#include <array>

namespace {

enum class Use { TextsAndAttributes, AttributesOnly };
enum class Target { Text, Attribute };

struct Entity {
    char16_t character;
    std::u16string_view form;
    Use use;
};

// "&" first, so that escaping never sees its own output.
constexpr std::array<Entity, 6> kEntities{{
    {u'&', u"&amp;", Use::TextsAndAttributes},
    {u'<', u"&lt;", Use::TextsAndAttributes},
    {u'>', u"&gt;", Use::TextsAndAttributes},
    {u'/', u"&slash;", Use::TextsAndAttributes},
    {u'"', u"&quot;", Use::AttributesOnly},
    {u'=', u"&#61;", Use::AttributesOnly},
}};

std::u16string escape(std::u16string_view text, Target target)
{
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        const Entity* match = nullptr;
        for (const Entity& entity : kEntities) {
            if (entity.character == c && (entity.use == Use::TextsAndAttributes || target == Target::Attribute)) {
                match = &entity;
                break;
            }
        }
        if (match)
            out.append(match->form);
        else
            out.push_back(c);
    }
    return out;
}

} // namespace

std::u16string escapeXmlText(std::u16string_view text)
{
    return escape(text, Target::Text);
}

std::u16string escapeXmlAttribute(std::u16string_view value)
{
    return escape(value, Target::Attribute);
}

std::u16string decodeXmlEntities(std::u16string_view stored)
{
    std::u16string out;
    out.reserve(stored.size());
    std::size_t i = 0;
    while (i < stored.size()) {
        if (stored[i] == u'&') {
            const std::u16string_view rest = stored.substr(i);
            const Entity* match = nullptr;
            for (const Entity& entity : kEntities) {
                if (rest.starts_with(entity.form)) {
                    match = &entity;
                    break;
                }
            }
            if (match) {
                out.push_back(match->character);
                i += match->form.size();
                continue;
            }
        }
        out.push_back(stored[i]);
        ++i;
    }
    return out;
}
