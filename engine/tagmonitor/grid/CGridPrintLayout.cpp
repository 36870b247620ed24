#include "engine/tagmonitor/grid/CGridPrintLayout.h"

#include <algorithm>
#include <cstdio>

#include "engine/tagmonitor/grid/CGridModel.h"
#include "engine/tagmonitor/grid/CGridTextMetrics.h"

namespace {

int toInt(int64_t value)
{
    return int(std::clamp<int64_t>(value, 0, INT32_MAX));
}

// Items first to count - 1 counted into spans of at most room pixels; a span ends before
// an item that no longer fits, and holds at least one item. At least one span, even when
// there are no items.
template <typename SizeOf>
std::vector<CGridPrintSpan> paginate(int first, int count, uint64_t room, SizeOf sizeOf)
{
    std::vector<CGridPrintSpan> spans;
    CGridPrintSpan span{first, first - 1};
    uint64_t used = 0;
    for (int item = first; item < count; ++item) {
        const uint64_t size = sizeOf(item);
        if (span.last >= span.first && used + size > room && size > 0) {
            spans.push_back(span);
            span = {item, item - 1};
            used = 0;
        }
        span.last = item;
        used += size;
    }
    spans.push_back(span);
    return spans;
}

uint64_t roomLeft(int64_t size, uint64_t taken)
{
    return size > 0 && uint64_t(size) > taken ? uint64_t(size) - taken : 1;
}

} // namespace

CGridPrintLayout::CGridPrintLayout(const CGridModel& model, const CGridPaper& paper, int screenDotsPerInchX,
                                   int screenDotsPerInchY, const CGridTextMetrics& printFont, PrinterScale scale)
    : m_lineHeight(std::max(printFont.lineHeight(), 1)),
      m_averageCharWidth(std::max(printFont.textWidth(kWidthSample.substr(0, kWidthSampleLength)), 0) /
                         int(kWidthSampleLength))
{
    const int64_t margins = 2 * int64_t(sideMargin());
    const bool printerScale = scale == PrinterScale::On && paper.dotsPerInchX > 0 && paper.dotsPerInchY > 0;
    if (printerScale) {
        m_pageWidth = toInt(int64_t(paper.width) * screenDotsPerInchX / paper.dotsPerInchX * kPrinterScaleNumerator /
                            kPrinterScaleDenominator);
        m_pageHeight = toInt(int64_t(paper.height) * screenDotsPerInchY / paper.dotsPerInchY *
                             kPrinterScaleNumerator / kPrinterScaleDenominator);
    } else {
        m_pageWidth = toInt(int64_t(std::min<uint64_t>(model.totalWidth(), INT32_MAX)) + margins);
        m_pageHeight = paper.width > 0 ? toInt(int64_t(m_pageWidth) * paper.height / paper.width) : m_pageWidth;
    }
    // The top and bottom margins are left out of the body too: the rows stay above the footer.
    const int lines = kTopLines + kHeaderLines + 2 * kGapLines + kFooterLines + kBottomLines;
    m_bodyHeight = roomLeft(m_pageHeight, uint64_t(lines) * uint64_t(m_lineHeight) + model.fixedRowHeight());
    m_bodyWidth = roomLeft(m_pageWidth, uint64_t(margins) + model.fixedColumnWidth());
    m_rowPages = paginate(model.fixedRowCount(), model.rowCount(), m_bodyHeight,
                          [&](int row) { return model.rowHeight(row); });
    if (printerScale)
        m_columnPages = paginate(model.fixedColumnCount(), model.columnCount(), m_bodyWidth,
                                 [&](int column) { return model.columnWidth(column); });
    else
        m_columnPages = {{model.fixedColumnCount(), model.columnCount() - 1}};
}

CGridPrintSpan CGridPrintLayout::rowsOf(int page) const
{
    const std::size_t index = std::size_t(std::clamp(page - 1, 0, pageCount() - 1)) / m_columnPages.size();
    return m_rowPages[index];
}

CGridPrintSpan CGridPrintLayout::columnsOf(int page) const
{
    const std::size_t index = std::size_t(std::clamp(page - 1, 0, pageCount() - 1)) % m_columnPages.size();
    return m_columnPages[index];
}

std::u16string CGridPrintLayout::footerText(int page, int count)
{
    char text[48];
    const int length = std::snprintf(text, sizeof text, "Page %d of %d", page, count);
    return std::u16string(text, text + std::max(length, 0));
}
