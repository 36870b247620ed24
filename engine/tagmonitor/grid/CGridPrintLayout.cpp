#include "engine/tagmonitor/grid/CGridPrintLayout.h"

#include <algorithm>
#include <cstdio>

#include "engine/tagmonitor/grid/CGridModel.h"

uint64_t CGridPrintLayout::bodyHeight(const CGridModel& model, uint64_t pageHeight, int lineHeight)
{
    const uint64_t taken = uint64_t(kHeaderLines + kFooterLines + 2 * kGapLines) * uint64_t(std::max(lineHeight, 0)) +
        model.fixedRowHeight();
    return pageHeight > taken ? pageHeight - taken : 1;
}

std::vector<CGridPrintPage> CGridPrintLayout::paginate(const CGridModel& model, uint64_t bodyHeight)
{
    std::vector<CGridPrintPage> pages;
    CGridPrintPage page{model.fixedRowCount(), model.fixedRowCount() - 1};
    uint64_t used = 0;
    for (int row = model.fixedRowCount(); row < model.rowCount(); ++row) {
        const uint64_t height = model.rowHeight(row);
        // A page with a row on it that has no room left for this one ends here.
        if (page.lastRow >= page.firstRow && used + height > bodyHeight && height > 0) {
            pages.push_back(page);
            page = {row, row - 1};
            used = 0;
        }
        page.lastRow = row;
        used += height;
    }
    pages.push_back(page);
    return pages;
}

std::u16string CGridPrintLayout::footerText(int page, int count)
{
    char text[48];
    const int length = std::snprintf(text, sizeof text, "Page %d of %d", page, count);
    return std::u16string(text, text + std::max(length, 0));
}
