#pragma once
// How a grid is cut into printed pages: the fixed rows head every page, the other rows
// are counted into pages by their heights, and every page takes at least one row, so a
// row taller than a page gets a page of its own and the count always ends.

#include <cstdint>
#include <string>
#include <vector>

class CGridModel;

struct CGridPrintPage {
    int firstRow = 0; // non-fixed rows of the page, lastRow included; none when first > last
    int lastRow = -1;
};

namespace CGridPrintLayout {

// In text lines of the print font, and the side margins in average character widths.
inline constexpr int kHeaderLines = 2, kFooterLines = 2, kGapLines = 1, kTopLines = 1, kBottomLines = 1;
inline constexpr int kSideMarginChars = 4;
// The average character width is this text's width divided by its length.
inline constexpr std::u16string_view kWidthSample = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

// Room for rows on a page of pageHeight pixels (already in grid pixels): less the
// header, the footer, their gaps and the fixed rows; never below 1.
[[nodiscard]] uint64_t bodyHeight(const CGridModel& model, uint64_t pageHeight, int lineHeight);
// At least one page, even for a grid without rows.
[[nodiscard]] std::vector<CGridPrintPage> paginate(const CGridModel& model, uint64_t bodyHeight);
// "Page %d of %d".
[[nodiscard]] std::u16string footerText(int page, int count);

} // namespace CGridPrintLayout
