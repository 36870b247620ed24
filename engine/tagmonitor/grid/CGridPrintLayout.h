#pragma once
// How a grid is laid out on printed pages, in grid pixels: a top margin, the header, a
// gap, the body, a gap, the footer and a bottom margin, one under the other, between the
// side margins. The body holds the fixed rows and columns on every page and the page's
// share of the others; the rows, and with printer scale on the columns too, are counted
// into pages by their sizes. Every page takes at least one row and one column, so a row
// taller than a page gets a page of its own (cut at the body's end) and the count ends.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CGridModel;
class CGridTextMetrics;

// Rows or columns of one page, last included; none when first > last.
struct CGridPrintSpan {
    int first = 0;
    int last = -1;
};

// The printer's page: its printable size in device pixels and its resolution.
struct CGridPaper {
    int width = 0;
    int height = 0;
    int dotsPerInchX = 0;
    int dotsPerInchY = 0;
};

class CGridPrintLayout {
public:
    // In text lines of the print font, and the side margins in average character widths.
    static constexpr int kHeaderLines = 2, kFooterLines = 2, kGapLines = 1, kTopLines = 1, kBottomLines = 1;
    static constexpr int kSideMarginChars = 4;
    // The average character width is the width of this text's first kWidthSampleLength
    // characters divided by that length.
    static constexpr std::u16string_view kWidthSample = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
    static constexpr std::size_t kWidthSampleLength = 52;
    // With printer scale on, a page shows this share of the paper's size at screen resolution.
    static constexpr int kPrinterScaleNumerator = 3, kPrinterScaleDenominator = 4;

    enum class PrinterScale { Off, On };

    // printFont measures in grid pixels; screen is the resolution grid pixels are shown at.
    CGridPrintLayout(const CGridModel& model, const CGridPaper& paper, int screenDotsPerInchX,
                     int screenDotsPerInchY, const CGridTextMetrics& printFont, PrinterScale scale);

    // The page in grid pixels: with printer scale off as wide as the grid and its margins,
    // and as high as the paper's shape gives.
    [[nodiscard]] int pageWidth() const { return m_pageWidth; }
    [[nodiscard]] int pageHeight() const { return m_pageHeight; }
    [[nodiscard]] int lineHeight() const { return m_lineHeight; }
    [[nodiscard]] int averageCharWidth() const { return m_averageCharWidth; }
    [[nodiscard]] int sideMargin() const { return kSideMarginChars * m_averageCharWidth; }
    // Room for the non-fixed rows and columns of a page.
    [[nodiscard]] uint64_t bodyWidth() const { return m_bodyWidth; }
    [[nodiscard]] uint64_t bodyHeight() const { return m_bodyHeight; }
    // Where the bands start, from the page's top.
    [[nodiscard]] int headerTop() const { return kTopLines * m_lineHeight; }
    [[nodiscard]] int bodyTop() const { return (kTopLines + kHeaderLines + kGapLines) * m_lineHeight; }
    [[nodiscard]] int footerTop() const { return m_pageHeight - (kBottomLines + kFooterLines) * m_lineHeight; }

    // Row pages times column pages; the pages go across the columns, then down the rows.
    [[nodiscard]] int pageCount() const { return int(m_rowPages.size() * m_columnPages.size()); }
    [[nodiscard]] const std::vector<CGridPrintSpan>& rowPages() const { return m_rowPages; }
    [[nodiscard]] const std::vector<CGridPrintSpan>& columnPages() const { return m_columnPages; }
    // The non-fixed rows and columns of page (1 to the count).
    [[nodiscard]] CGridPrintSpan rowsOf(int page) const;
    [[nodiscard]] CGridPrintSpan columnsOf(int page) const;

    // "Page %d of %d".
    [[nodiscard]] static std::u16string footerText(int page, int count);

private:
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    int m_lineHeight = 0;
    int m_averageCharWidth = 0;
    uint64_t m_bodyWidth = 0;
    uint64_t m_bodyHeight = 0;
    std::vector<CGridPrintSpan> m_rowPages;
    std::vector<CGridPrintSpan> m_columnPages;
};
