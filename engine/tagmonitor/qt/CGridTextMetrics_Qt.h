#pragma once
// The grid model's text measures over a Qt font, and a cell's own font made from it.

#include <QFont>
#include <QFontMetrics>

#include "engine/tagmonitor/grid/CGridTextMetrics.h"

class CGridTextMetrics_Qt final : public CGridTextMetrics {
public:
    explicit CGridTextMetrics_Qt(const QFont& font) : m_font(font), m_metrics(font) {}
    void setFont(const QFont& font)
    {
        m_font = font;
        m_metrics = QFontMetrics(font);
    }

    int textWidth(std::u16string_view text) const override { return m_metrics.horizontalAdvance(toQString(text)); }
    int lineHeight() const override { return m_metrics.height(); }
    int textWidthIn(const CGridFont& font, std::u16string_view text) const override
    {
        return QFontMetrics(toQFont(font, m_font)).horizontalAdvance(toQString(text));
    }
    int lineHeightIn(const CGridFont& font) const override { return QFontMetrics(toQFont(font, m_font)).height(); }

    // base with the fields that the cell's font sets.
    static QFont toQFont(const CGridFont& font, const QFont& base)
    {
        QFont made = base;
        if (!font.face.empty())
            made.setFamily(toQString(font.face));
        if (font.height > 0)
            made.setPixelSize(font.height);
        if (font.weight > 0)
            made.setWeight(QFont::Weight(font.weight));
        made.setItalic(font.italic);
        made.setUnderline(font.underline);
        return made;
    }

private:
    static QString toQString(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

    QFont m_font;
    QFontMetrics m_metrics;
};
