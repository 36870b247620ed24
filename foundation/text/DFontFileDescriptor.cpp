#include "foundation/text/DFontFileDescriptor.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include FT_WINFONTS_H

#include "foundation/TextHelpers.h"
#include "platform/sys/Registry.h"

namespace {

std::string cacheKey(uint32_t index, const char* value)
{
    char key[64];
    std::snprintf(key, sizeof key, "FontCache/descriptor%08x/%s", index, value);
    return key;
}

// The integer values of a cache subkey, in the order they are written.
struct IntegerValue {
    const char* name;
    int32_t DFontFileDescriptor::*field;
};
constexpr IntegerValue kIntegerValues[] = {
    {"italic", &DFontFileDescriptor::italic},
    {"bold", &DFontFileDescriptor::bold},
    {"fixedWidth", &DFontFileDescriptor::fixedWidth},
    {"multipleFixed", &DFontFileDescriptor::multipleFixed},
    {"multipleSize", &DFontFileDescriptor::multipleSize},
    {"pitchFamily", &DFontFileDescriptor::pitchFamily},
    {"faceIndex", &DFontFileDescriptor::faceIndex},
};

void removeAll(std::u16string& text, std::u16string_view word)
{
    for (std::size_t at = text.find(word); at != std::u16string::npos; at = text.find(word, at))
        text.erase(at, word.size());
}

bool isAsciiAlphanumeric(char16_t unit)
{
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z');
}

} // namespace

DFontFileDescriptor::~DFontFileDescriptor() = default;

FT_Error DFontFileDescriptor::openFace(FT_Library library, FT_Face* face) const
{
    // A negative index only counts a file's faces; it opens nothing to draw with.
    if (faceIndex < 0)
        return FT_Err_Invalid_Argument;
    std::string path = wideToUtf8(absPath.view());
    return FT_New_Face(library, path.c_str(), faceIndex, face);
}

int DFontFileDescriptor::load(uint32_t index, const Registry& registry)
{
    std::optional<std::u16string> path = registry.readString(cacheKey(index, "absPath"));
    if (!path || path->empty())
        return 0;
    absPath.assign(*path);
    friendlyName.assign(registry.readString(cacheKey(index, "friendlyName")).value_or(u""));
    fileName.assign(registry.readString(cacheKey(index, "fileName")).value_or(u""));
    for (const IntegerValue& value : kIntegerValues) {
        int64_t number = registry.readInteger(cacheKey(index, value.name)).value_or(0);
        this->*value.field = (number < INT32_MIN || number > INT32_MAX) ? 0 : int32_t(number);
    }
    std::error_code ignored;
    fileExists = std::filesystem::exists(std::filesystem::path(wideToUtf8(absPath.view())), ignored) ? 1 : 0;
    // An entry no face can be opened from is dropped with the missing files.
    if (faceIndex < 0)
        fileExists = 0;
    return 1;
}

void DFontFileDescriptor::save(uint32_t index, Registry& registry) const
{
    registry.writeString(cacheKey(index, "absPath"), absPath.view());
    registry.writeString(cacheKey(index, "friendlyName"), friendlyName.view());
    registry.writeString(cacheKey(index, "fileName"), fileName.view());
    for (const IntegerValue& value : kIntegerValues)
        registry.writeInteger(cacheKey(index, value.name), this->*value.field);
}

void DFontFileDescriptor::describe(FT_Face face)
{
    italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) ? 1 : 0;
    bold = (face->style_flags & FT_STYLE_FLAG_BOLD) ? 1 : 0;
    fixedWidth = int32_t(face->face_flags & FT_FACE_FLAG_FIXED_WIDTH);
    multipleFixed = (face->face_flags & FT_FACE_FLAG_FIXED_SIZES) && !(face->face_flags & FT_FACE_FLAG_SCALABLE) ? 1 : 0;
    multipleSize = multipleFixed && face->num_fixed_sizes > 0 && face->available_sizes ? face->available_sizes[0].height : 0;
    FT_WinFNT_HeaderRec header;
    if (FT_Get_WinFNT_Header(face, &header) == 0)
        pitchFamily = header.pitch_and_family;
    else
        pitchFamily = fixedWidth ? 1 : 2;
}

DString DFontFileDescriptor::makeFriendlyName(std::u16string_view family, std::u16string_view style)
{
    std::u16string rest(style);
    // "Book" and "Oblique" are how many Linux faces name their regular and italic styles.
    for (std::u16string_view word : {u"Regular", u"Book", u"Bold", u"Italic", u"Oblique"})
        removeAll(rest, std::u16string_view(word));
    for (std::size_t at = rest.find(u"  "); at != std::u16string::npos; at = rest.find(u"  "))
        rest.erase(at, 1);
    std::size_t first = rest.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return DString(family);
    std::size_t last = rest.find_last_not_of(u' ');
    std::u16string name(family);
    name += u' ';
    name.append(rest, first, last - first + 1);
    return DString(name);
}

DString DFontFileDescriptor::makeFileName(std::u16string_view baseName)
{
    // The extension starts at the last "." after the first character.
    std::size_t dot = baseName.size() > 1 ? baseName.rfind(u'.') : std::u16string_view::npos;
    if (dot != std::u16string_view::npos && dot > 0)
        baseName = baseName.substr(0, dot);
    std::u16string name;
    for (char16_t unit : baseName) {
        if (!isAsciiAlphanumeric(unit))
            continue;
        name.push_back(unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit);
    }
    return DString(name);
}
