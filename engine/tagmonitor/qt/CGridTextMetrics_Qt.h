#pragma once
// The grid model's text measures over a Qt font.

#include <QFont>
#include <QFontMetrics>

#include "engine/tagmonitor/grid/CGridTextMetrics.h"

class CGridTextMetrics_Qt final : public CGridTextMetrics {
public:
    explicit CGridTextMetrics_Qt(const QFont& font) : m_metrics(font) {}
    void setFont(const QFont& font) { m_metrics = QFontMetrics(font); }

    int textWidth(std::u16string_view text) const override
    {
        return m_metrics.horizontalAdvance(QString::fromUtf16(text.data(), qsizetype(text.size())));
    }
    int lineHeight() const override { return m_metrics.height(); }

private:
    QFontMetrics m_metrics;
};
