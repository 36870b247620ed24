#include "engine/tagmonitor/grid/CGridCell.h"

#include "engine/tagmonitor/grid/CGridTextMetrics.h"

void CGridDefaultCell::measureWith(const CGridTextMetrics* metrics)
{
    if (!metrics) {
        margin = kFallbackMargin;
        width = kFallbackWidth;
        height = kFallbackHeight;
        return;
    }
    margin = metrics->textWidth(u" ");
    width = uint32_t(metrics->textWidth(kSizingText));
    height = uint32_t(metrics->lineHeight() * 3 / 2);
}
