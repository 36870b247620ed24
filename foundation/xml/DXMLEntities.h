#pragma once
// The entity forms of the system's XML documents: one table serves encoding and decoding.
// Texts escape "&", "<", ">" and "/"; attribute values also escape the double quote and
// "=", which the parser would otherwise cut a value at.

#include <string>
#include <string_view>

std::u16string escapeXmlText(std::u16string_view text);
std::u16string escapeXmlAttribute(std::u16string_view value);

// Decodes every entity form in a single pass, so "&amp;lt;" becomes "&lt;"; an "&" that
// starts no known form is kept as it is.
std::u16string decodeXmlEntities(std::u16string_view stored);
