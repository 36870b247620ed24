#pragma once
// Definition text: records separated by commas (line breaks and tabs count as commas,
// empty fields vanish). "group,<caption>," opens a category; any other record is
// "<kind>,<caption>,<default>,<key>,<description>," where "*" starts an empty default
// and "|" separates list choices.

#include <string_view>
#include <vector>

#include "editor/document/CPropertyDefinition.h"

// Appends the records of text to records, in text order; records without a caption or
// a key are dropped.
void ParsePropertyDefinitionText(std::u16string_view text, std::vector<CPropertyDefinition>& records);

// The kind named by the first character of a kind word; false for any other character.
bool PropertyKindFromWord(std::u16string_view word, PropertyKind& kind);
