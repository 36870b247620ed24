#pragma once
// The messages the properties pane shows; the objects pane refuses a duplicate name
// with the same words.

#include <string_view>

namespace PropertyMessages {

inline constexpr std::u16string_view kNameUsed = u"Specified name is already used on this page by another object.";
inline constexpr std::u16string_view kNameEmpty = u"An object must have a name.";
inline constexpr std::u16string_view kSaveProjectFirst =
    u"You must first save the project. Application cannot determine relative paths to external resource files "
    u"otherwise.";

} // namespace PropertyMessages
