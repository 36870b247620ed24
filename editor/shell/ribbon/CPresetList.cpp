#include "editor/shell/ribbon/CPresetList.h"

#include <algorithm>
#include <system_error>

namespace {

char16_t folded(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

bool sameIgnoringCase(std::string_view first, std::string_view second)
{
    return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                      [](char a, char b) { return folded(char16_t(a)) == folded(char16_t(b)); });
}

// As the folder lists them on the system the presets come from: letters without regard
// to case, an exact tie broken by the code units.
bool byName(const std::u16string& first, const std::u16string& second)
{
    const auto order = std::lexicographical_compare_three_way(
        first.begin(), first.end(), second.begin(), second.end(),
        [](char16_t a, char16_t b) { return folded(a) <=> folded(b); });
    return order != 0 ? order < 0 : first < second;
}

} // namespace

std::vector<std::u16string> CPresetList::List(const std::filesystem::path& folder, std::string_view extension)
{
    std::vector<std::u16string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return names;
    for (const std::filesystem::directory_entry& entry : entries) {
        std::error_code fileError;
        if (!entry.is_regular_file(fileError))
            continue;
        const std::filesystem::path& path = entry.path();
        if (!sameIgnoringCase(path.extension().string(), extension))
            continue;
        std::u16string name = path.stem().u16string();
        if (name != kWorkingName)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), byName);
    if (names.size() > kMaxNames)
        names.resize(kMaxNames);
    return names;
}
