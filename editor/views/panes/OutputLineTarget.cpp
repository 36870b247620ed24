#include "editor/views/panes/OutputLineTarget.h"

#include <string_view>

namespace {

constexpr std::u16string_view kError = u"Error";
constexpr std::u16string_view kWarning = u"Warning";
constexpr std::u16string_view kPage = u"Page";
constexpr std::u16string_view kObjectEnd = u" object:";
// Where the object's name starts: after "Error in " and "Warning in ".
constexpr std::size_t kErrorNameAt = 9;
constexpr std::size_t kWarningNameAt = 11;
constexpr std::size_t kPageNameAt = 5;

std::u16string_view limited(const std::u16string& line)
{
    return std::u16string_view(line).substr(0, kOutputLineLimit);
}

} // namespace

std::optional<OutputLineTarget> FindOutputLineTarget(const std::vector<std::u16string>& lines, std::size_t clicked)
{
    if (clicked >= lines.size())
        return std::nullopt;
    const std::u16string_view line = limited(lines[clicked]);
    std::size_t nameAt;
    if (line.starts_with(kError))
        nameAt = kErrorNameAt;
    else if (line.starts_with(kWarning))
        nameAt = kWarningNameAt;
    else
        return std::nullopt;
    if (nameAt > line.size())
        return std::nullopt;
    OutputLineTarget target;
    const std::u16string_view rest = line.substr(nameAt);
    target.object = std::u16string(rest.substr(0, rest.find(kObjectEnd)));
    for (std::size_t above = clicked; above-- > 0;) {
        const std::u16string_view candidate = limited(lines[above]);
        if (!candidate.starts_with(kPage))
            continue;
        // The first colon from the fifth character on ends the name; one right after
        // "Page" leaves it empty.
        const std::size_t colon = candidate.find(u':', kPageNameAt - 1);
        std::u16string_view name;
        if (candidate.size() > kPageNameAt)
            name = candidate.substr(kPageNameAt, colon == std::u16string_view::npos ? std::u16string_view::npos
                                                 : colon > kPageNameAt                ? colon - kPageNameAt
                                                                                      : 0);
        target.page = std::u16string(name);
        return target;
    }
    return std::nullopt;
}
