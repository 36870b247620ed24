#include "engine/core/DCommandLine.h"

#include <climits>

namespace {

char16_t lower(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit;
}

// 'w', 'h' or 'm' for one of the three options, else 0.
char16_t optionLetter(std::u16string_view argument)
{
    if (argument.size() != 2 || argument[0] != u'-')
        return 0;
    const char16_t letter = lower(argument[1]);
    return letter == u'w' || letter == u'h' || letter == u'm' ? letter : 0;
}

} // namespace

int decimalValue(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > int64_t(INT_MAX) + 1)
            value = int64_t(INT_MAX) + 1;
    }
    if (negative)
        return value > INT_MAX ? INT_MIN : int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

DCommandLine DCommandLine::parse(std::span<const std::u16string> args)
{
    DCommandLine line;
    std::size_t i = 1;
    for (; i + 1 < args.size(); i += 2) {
        const char16_t letter = optionLetter(args[i]);
        if (!letter)
            break;
        const int value = decimalValue(args[i + 1]);
        if (letter == u'w')
            line.width = value;
        else if (letter == u'h')
            line.height = value;
        else {
            line.memoryImageSize = value > 0 ? uint32_t(value) : 0;
            line.memoryImageSizeFixed = true;
        }
    }
    if (i < args.size()) {
        if (args[i].size() > kMaxPathUnits)
            line.pathTooLong = true;
        line.path = args[i];
    }
    return line;
}

std::u16string tagsFilePathFor(std::u16string_view targetPath)
{
    const std::size_t slash = targetPath.find_last_of(u'/');
    const std::size_t dot = targetPath.find_last_of(u'.');
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
        return {};
    std::u16string path(targetPath.substr(0, dot + 1));
    path += u"dtags";
    return path;
}
