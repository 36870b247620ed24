#pragma once
// Which page and object a line of the output pane is about: an "Error in NAME object:..."
// or "Warning in NAME object:..." line names the object; the nearest line above it that
// begins "Page" names the page ("Page NAME: ...").

#include <optional>
#include <string>
#include <vector>

struct OutputLineTarget {
    std::u16string page;
    std::u16string object;
};

// A line is looked at up to this many characters.
inline constexpr std::size_t kOutputLineLimit = 100;

// lines of the pane, the clicked one by index; none for a line that names no object or
// has no page line above it.
std::optional<OutputLineTarget> FindOutputLineTarget(const std::vector<std::u16string>& lines, std::size_t clicked);
