#pragma once
// Draws one icon on a 16 x 16 grid (the painter is scaled to the size shown): dark
// outlines, flat fills in the icon's accent colour, and a round badge in the lower right.

#include <QColor>
#include <QPainter>

#include "editor/views/icons/IconGlyph.h"

class CIconPainter {
public:
    static constexpr int kGrid = 16;

    // Scales painter so that the grid fills size x size.
    CIconPainter(QPainter& painter, int size, QRgb accent);
    void Draw(const IconSpec& spec);

private:
    void glyph(Glyph glyph);
    void badge(Badge badge);

    // Pens and brushes of the icon set.
    void outline(qreal width = 1.0);
    void noOutline();
    void fillAccent();
    void fillLight();
    void fillPaper();
    void fillInk();
    QColor accent() const { return m_accent; }
    QColor light() const { return m_accent.lighter(170); }

    // Shapes several glyphs share.
    void sheet(qreal left = 3, qreal top = 1, qreal width = 10, qreal height = 14);
    void screen(qreal left, qreal top, qreal width, qreal height);
    void textLines(qreal left, qreal top, qreal right, int lines, int align);
    void letter(const QString& text, const QRectF& box, int pixelSize, bool bold, bool italic = false);
    void arrow(QPointF from, QPointF to, qreal head = 2.5);
    void tag(qreal left, qreal top);
    void bulb(bool lit);
    void stack(bool frontOnTop);
    void alignBars(Qt::Edge edge);

    QPainter& m_painter;
    QColor m_accent;
    QColor m_ink;
};
