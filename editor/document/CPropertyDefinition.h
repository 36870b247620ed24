#pragma once
// One record of definition text: a category ("group") or a property with its key, the
// name of its XML element in the project file.

#include <string>

#include "editor/document/PropertyKind.h"

struct CPropertyDefinition {
    PropertyKind kind = PropertyKind::Group;
    std::u16string caption;
    std::u16string key;
    std::u16string defaultText; // list separators already turned into U+0001
    std::u16string description;

    bool operator==(const CPropertyDefinition&) const = default;
};
