#include "editor/views/icons/CIconPainter.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

constexpr QRgb kInkColour = 0x2f3e4e;
constexpr QRgb kPaperColour = 0xfcfdfe;
constexpr QRgb kBadgeWhite = 0xffffff;
// The badge: a disc in the lower right corner.
constexpr qreal kBadgeCentre = 11.5;
constexpr qreal kBadgeRadius = 4.3;

QPolygonF polygon(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

} // namespace

CIconPainter::CIconPainter(QPainter& painter, int size, QRgb accent)
    : m_painter(painter), m_accent(QColor::fromRgb(accent)), m_ink(QColor::fromRgb(kInkColour))
{
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_painter.scale(qreal(size) / kGrid, qreal(size) / kGrid);
}

void CIconPainter::Draw(const IconSpec& spec)
{
    m_painter.save();
    glyph(spec.glyph);
    m_painter.restore();
    if (spec.badge != Badge::None) {
        m_painter.save();
        badge(spec.badge);
        m_painter.restore();
    }
}

void CIconPainter::outline(qreal width)
{
    QPen pen(m_ink, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    m_painter.setPen(pen);
}

void CIconPainter::noOutline() { m_painter.setPen(Qt::NoPen); }
void CIconPainter::fillAccent() { m_painter.setBrush(m_accent); }
void CIconPainter::fillLight() { m_painter.setBrush(light()); }
void CIconPainter::fillPaper() { m_painter.setBrush(QColor::fromRgb(kPaperColour)); }
void CIconPainter::fillInk() { m_painter.setBrush(m_ink); }

void CIconPainter::sheet(qreal left, qreal top, qreal width, qreal height)
{
    // A page with a folded corner.
    const qreal fold = 3;
    outline();
    fillPaper();
    m_painter.drawPolygon(polygon({{left + 0.5, top + 0.5},
                                   {left + width - fold, top + 0.5},
                                   {left + width - 0.5, top + fold},
                                   {left + width - 0.5, top + height - 0.5},
                                   {left + 0.5, top + height - 0.5}}));
    fillLight();
    m_painter.drawPolygon(polygon({{left + width - fold, top + 0.5}, {left + width - fold, top + fold}, {left + width - 0.5, top + fold}}));
    QPen stripe(m_accent, 1);
    m_painter.setPen(stripe);
    for (qreal y = top + 5; y < top + height - 2; y += 2.5)
        m_painter.drawLine(QPointF(left + 2.5, y), QPointF(left + width - 2.5, y));
}

void CIconPainter::screen(qreal left, qreal top, qreal width, qreal height)
{
    outline();
    fillInk();
    m_painter.drawRoundedRect(QRectF(left + 0.5, top + 0.5, width - 1, height - 1), 1, 1);
    noOutline();
    fillAccent();
    m_painter.drawRect(QRectF(left + 2, top + 2, width - 4, height - 4));
}

void CIconPainter::textLines(qreal left, qreal top, qreal right, int lines, int align)
{
    QPen pen(m_ink, 1.4);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    const qreal full = right - left;
    for (int i = 0; i < lines; ++i) {
        const qreal length = i % 2 ? full * 0.6 : full;
        const qreal start = align == 0 ? left : align == 1 ? left + (full - length) / 2 : right - length;
        const qreal y = top + i * 3;
        m_painter.drawLine(QPointF(start, y), QPointF(start + length, y));
    }
}

void CIconPainter::letter(const QString& text, const QRectF& box, int pixelSize, bool bold, bool italic)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    m_painter.setFont(font);
    m_painter.setPen(m_ink);
    m_painter.drawText(box, Qt::AlignCenter, text);
}

void CIconPainter::arrow(QPointF from, QPointF to, qreal head)
{
    QPen pen(m_painter.pen());
    m_painter.drawLine(from, to);
    const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const QPointF left(to.x() - head * std::cos(angle - 0.6), to.y() - head * std::sin(angle - 0.6));
    const QPointF right(to.x() - head * std::cos(angle + 0.6), to.y() - head * std::sin(angle + 0.6));
    m_painter.setBrush(pen.color());
    m_painter.drawPolygon(polygon({to, left, right}));
}

void CIconPainter::tag(qreal left, qreal top)
{
    // A luggage tag: a tag names a place of the panel's memory.
    outline();
    fillAccent();
    m_painter.drawPolygon(polygon({{left + 0.5, top + 4}, {left + 4, top + 0.5}, {left + 11, top + 0.5},
                                   {left + 11, top + 7.5}, {left + 4, top + 7.5}}));
    fillPaper();
    m_painter.drawEllipse(QPointF(left + 4, top + 4), 1.2, 1.2);
}

void CIconPainter::bulb(bool lit)
{
    outline();
    m_painter.setBrush(lit ? m_accent : QColor(0xd8, 0xdc, 0xe0));
    m_painter.drawEllipse(QRectF(3.5, 1.5, 9, 9));
    fillLight();
    m_painter.setBrush(QColor(0xb0, 0xb8, 0xc0));
    m_painter.drawRect(QRectF(5.5, 10.5, 5, 3));
    m_painter.drawLine(QPointF(6, 15), QPointF(10, 15));
    if (lit) {
        QPen rays(m_accent.darker(130), 1);
        m_painter.setPen(rays);
        m_painter.drawLine(QPointF(1, 6), QPointF(2.5, 6));
        m_painter.drawLine(QPointF(13.5, 6), QPointF(15, 6));
        m_painter.drawLine(QPointF(8, 0), QPointF(8, 0.8));
    }
}

void CIconPainter::stack(bool frontOnTop)
{
    // Two overlapping cards; the accent marks the one that moves.
    outline();
    if (frontOnTop) {
        fillLight();
        m_painter.drawRect(QRectF(1.5, 1.5, 8, 8));
        fillAccent();
        m_painter.drawRect(QRectF(6.5, 6.5, 8, 8));
    } else {
        fillAccent();
        m_painter.drawRect(QRectF(6.5, 6.5, 8, 8));
        fillLight();
        m_painter.drawRect(QRectF(1.5, 1.5, 8, 8));
    }
}

void CIconPainter::alignBars(Qt::Edge edge)
{
    QPen line(m_ink, 1.2);
    m_painter.setPen(line);
    const bool vertical = edge == Qt::LeftEdge || edge == Qt::RightEdge;
    const qreal at = (edge == Qt::LeftEdge || edge == Qt::TopEdge) ? 1.5 : 14.5;
    if (vertical)
        m_painter.drawLine(QPointF(at, 1), QPointF(at, 15));
    else
        m_painter.drawLine(QPointF(1, at), QPointF(15, at));
    outline();
    fillAccent();
    const qreal lengths[] = {10, 6};
    for (int i = 0; i < 2; ++i) {
        const qreal length = lengths[i];
        const qreal across = 3 + i * 6;
        const qreal start = at < 8 ? at + 1 : at - 1 - length;
        m_painter.drawRect(vertical ? QRectF(start, across, length, 4) : QRectF(across, start, 4, length));
    }
}

void CIconPainter::glyph(Glyph glyph)
{
    QPainter& p = m_painter;
    switch (glyph) {
    case Glyph::None:
        return;
    case Glyph::Sheet:
        sheet();
        return;
    case Glyph::Folder:
        outline();
        fillAccent();
        p.drawPolygon(polygon({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
        fillLight();
        p.drawPolygon(polygon({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {14.5, 13.5}}));
        return;
    case Glyph::Disk:
        outline();
        fillAccent();
        p.drawPolygon(polygon({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
        fillPaper();
        p.drawRect(QRectF(4, 1.5, 7.5, 5));
        p.drawRect(QRectF(3.5, 9, 9, 5.5));
        fillInk();
        p.drawRect(QRectF(8.5, 2.5, 1.5, 3));
        return;
    case Glyph::Printer:
        outline();
        fillPaper();
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        fillAccent();
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        fillPaper();
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        fillInk();
        p.drawEllipse(QPointF(12.5, 8.5), 0.6, 0.6);
        return;
    case Glyph::Door:
        outline();
        fillLight();
        p.drawRect(QRectF(3.5, 1.5, 9, 13));
        fillAccent();
        p.drawPolygon(polygon({{3.5, 1.5}, {9.5, 3}, {9.5, 15.5}, {3.5, 14.5}}));
        fillInk();
        p.drawEllipse(QPointF(8, 9), 0.7, 0.7);
        return;
    case Glyph::Chip:
        outline();
        fillInk();
        p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1, 1);
        fillAccent();
        p.drawRect(QRectF(5.5, 5.5, 5, 5));
        for (qreal x = 5; x <= 11; x += 3) {
            p.drawLine(QPointF(x, 1), QPointF(x, 3.5));
            p.drawLine(QPointF(x, 12.5), QPointF(x, 15));
            p.drawLine(QPointF(1, x), QPointF(3.5, x));
            p.drawLine(QPointF(12.5, x), QPointF(15, x));
        }
        return;
    case Glyph::Gear: {
        outline();
        fillAccent();
        QPainterPath gear;
        for (int tooth = 0; tooth < 8; ++tooth) {
            const qreal angle = tooth * M_PI / 4;
            const QPointF centre(8 + 5.8 * std::cos(angle), 8 + 5.8 * std::sin(angle));
            gear.addEllipse(centre, 1.6, 1.6);
        }
        gear.addEllipse(QPointF(8, 8), 5, 5);
        p.drawPath(gear.simplified());
        fillPaper();
        p.drawEllipse(QPointF(8, 8), 2, 2);
        return;
    }
    case Glyph::Program:
        // A panel's screen with a button under a finger's touch.
        outline();
        fillInk();
        p.drawRoundedRect(QRectF(0.5, 1.5, 15, 12), 2, 2);
        noOutline();
        fillAccent();
        p.drawRect(QRectF(2.5, 3.5, 11, 8));
        fillPaper();
        p.drawRoundedRect(QRectF(4, 6, 8, 3.5), 1, 1);
        outline();
        fillInk();
        p.drawRect(QRectF(6.5, 13.5, 3, 2));
        return;
    case Glyph::Clipboard:
        outline();
        fillAccent();
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 13), 1, 1);
        fillPaper();
        p.drawRect(QRectF(4.5, 4.5, 7, 9));
        fillInk();
        p.drawRoundedRect(QRectF(5.5, 1, 5, 3), 1, 1);
        return;
    case Glyph::Scissors:
        outline(1.2);
        p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
        fillAccent();
        p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
        return;
    case Glyph::Copies:
        sheet(1, 1, 9, 11);
        sheet(6, 4, 9, 11);
        return;
    case Glyph::Undo:
    case Glyph::Redo: {
        const bool undo = glyph == Glyph::Undo;
        QPen pen(m_accent, 2);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(undo ? 4 : 12, 6);
        path.cubicTo(undo ? 10 : 6, 3, undo ? 15 : 1, 8, undo ? 10 : 6, 13);
        p.drawPath(path);
        noOutline();
        p.setBrush(m_accent);
        p.drawPolygon(undo ? polygon({{1, 6}, {6, 2}, {6.5, 9}}) : polygon({{15, 6}, {10, 2}, {9.5, 9}}));
        return;
    }
    case Glyph::LetterB:
        letter(QStringLiteral("B"), QRectF(0, 0, 16, 16), 14, true);
        return;
    case Glyph::LetterI:
        letter(QStringLiteral("I"), QRectF(0, 0, 16, 16), 14, true, true);
        return;
    case Glyph::LetterU:
        letter(QStringLiteral("U"), QRectF(0, -1, 16, 15), 13, false);
        p.setPen(QPen(m_ink, 1.2));
        p.drawLine(QPointF(3.5, 14.5), QPointF(12.5, 14.5));
        return;
    case Glyph::TextLeft:
        textLines(2, 3, 14, 4, 0);
        return;
    case Glyph::TextCentre:
        textLines(2, 3, 14, 4, 1);
        return;
    case Glyph::TextRight:
        textLines(2, 3, 14, 4, 2);
        return;
    case Glyph::TextRtl:
        textLines(6, 3, 14, 3, 2);
        p.setPen(QPen(m_accent, 1.4));
        arrow(QPointF(13, 13), QPointF(2, 13));
        return;
    case Glyph::FontGrow:
    case Glyph::FontShrink: {
        const bool grow = glyph == Glyph::FontGrow;
        letter(QStringLiteral("A"), QRectF(0, 2, 11, 14), grow ? 13 : 10, true);
        p.setPen(QPen(m_accent, 1.4));
        if (grow)
            arrow(QPointF(13, 8), QPointF(13, 1.5));
        else
            arrow(QPointF(13, 1.5), QPointF(13, 8));
        return;
    }
    case Glyph::FontColour:
        letter(QStringLiteral("A"), QRectF(0, -1, 16, 13), 12, true);
        noOutline();
        fillAccent();
        p.drawRect(QRectF(2, 12.5, 12, 3));
        return;
    case Glyph::Group:
    case Glyph::Ungroup: {
        QPen dashed(m_ink, 1, glyph == Glyph::Group ? Qt::SolidLine : Qt::DotLine);
        p.setPen(dashed);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        outline();
        fillAccent();
        p.drawRect(QRectF(3, 3, 6, 5));
        fillLight();
        p.drawEllipse(QRectF(7, 7, 6, 6));
        return;
    }
    case Glyph::OrderUp:
    case Glyph::OrderDown:
        stack(glyph == Glyph::OrderUp);
        p.setPen(QPen(m_ink, 1.3));
        if (glyph == Glyph::OrderUp)
            arrow(QPointF(3, 14), QPointF(3, 10.5), 2);
        else
            arrow(QPointF(12.5, 1), QPointF(12.5, 4.5), 2);
        return;
    case Glyph::ToFront:
        stack(true);
        return;
    case Glyph::ToBack:
        stack(false);
        return;
    case Glyph::AlignLeft:
        alignBars(Qt::LeftEdge);
        return;
    case Glyph::AlignRight:
        alignBars(Qt::RightEdge);
        return;
    case Glyph::AlignTop:
        alignBars(Qt::TopEdge);
        return;
    case Glyph::AlignBottom:
        alignBars(Qt::BottomEdge);
        return;
    case Glyph::OriginalSize:
        outline();
        fillLight();
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        p.setPen(QPen(m_accent, 1.4));
        for (const auto& [corner, dx, dy] : {std::tuple{QPointF(1, 1), 1, 1}, std::tuple{QPointF(15, 1), -1, 1},
                                             std::tuple{QPointF(1, 15), 1, -1}, std::tuple{QPointF(15, 15), -1, -1}}) {
            p.drawLine(corner, corner + QPointF(3 * dx, 0));
            p.drawLine(corner, corner + QPointF(0, 3 * dy));
        }
        return;
    case Glyph::Bucket:
        outline();
        fillPaper();
        p.drawPolygon(polygon({{2.5, 6.5}, {8, 1.5}, {13.5, 7}, {8, 12.5}}));
        fillAccent();
        p.drawPolygon(polygon({{2.5, 6.5}, {13.5, 7}, {8, 12.5}}));
        p.drawEllipse(QRectF(11.5, 10, 3, 5));
        return;
    case Glyph::Resize:
        outline();
        fillLight();
        p.drawRect(QRectF(1.5, 5.5, 9, 9));
        p.setPen(QPen(m_accent, 1.4));
        arrow(QPointF(7, 9), QPointF(14.5, 1.5), 3);
        return;
    case Glyph::Hand:
        // A finger held on a button: the hold trigger.
        outline();
        fillLight();
        p.drawRoundedRect(QRectF(1.5, 9.5, 13, 5), 1.5, 1.5);
        fillAccent();
        p.drawRoundedRect(QRectF(6, 1.5, 3.5, 10), 1.7, 1.7);
        p.drawRoundedRect(QRectF(9.5, 5.5, 3.5, 6), 1.5, 1.5);
        return;
    case Glyph::Clock:
        outline();
        fillPaper();
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(m_accent, 1.4));
        p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
        p.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
        return;
    case Glyph::Repeat: {
        QPen pen(m_accent, 1.8);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 2, 12, 12), 30 * 16, 250 * 16);
        noOutline();
        p.setBrush(m_accent);
        p.drawPolygon(polygon({{13.5, 1}, {14.5, 6.5}, {9.5, 5}}));
        return;
    }
    case Glyph::Hourglass:
        outline();
        fillPaper();
        p.drawPolygon(polygon({{3.5, 1.5}, {12.5, 1.5}, {8.6, 8}, {12.5, 14.5}, {3.5, 14.5}, {7.4, 8}}));
        noOutline();
        fillAccent();
        p.drawPolygon(polygon({{5, 4}, {11, 4}, {8, 7.5}}));
        p.drawPolygon(polygon({{8, 10}, {11.3, 14}, {4.7, 14}}));
        return;
    case Glyph::Monitor:
        screen(0.5, 1, 15, 11);
        outline();
        fillInk();
        p.drawRect(QRectF(5.5, 12.5, 5, 2));
        return;
    case Glyph::ArrowsHorizontal:
        p.setPen(QPen(m_accent, 1.6));
        arrow(QPointF(8, 8), QPointF(1, 8));
        arrow(QPointF(8, 8), QPointF(15, 8));
        p.setPen(QPen(m_ink, 1));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        return;
    case Glyph::ArrowsVertical:
        p.setPen(QPen(m_accent, 1.6));
        arrow(QPointF(8, 8), QPointF(8, 1));
        arrow(QPointF(8, 8), QPointF(8, 15));
        p.setPen(QPen(m_ink, 1));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        return;
    case Glyph::Briefcase:
        outline();
        fillAccent();
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 10), 1.5, 1.5);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(5.5, 1.5, 5, 3), 1, 1);
        p.drawLine(QPointF(1.5, 9), QPointF(14.5, 9));
        return;
    case Glyph::DialogBox:
        outline();
        fillPaper();
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        fillAccent();
        p.drawRect(QRectF(1.5, 2.5, 13, 3));
        fillLight();
        p.drawRect(QRectF(8.5, 9.5, 4, 2));
        return;
    case Glyph::WindowFrame:
        outline();
        fillLight();
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        fillAccent();
        p.drawRect(QRectF(0.5, 1.5, 15, 3));
        fillPaper();
        p.drawRect(QRectF(3.5, 7.5, 9, 5));
        return;
    case Glyph::Magnifier:
        outline(1.4);
        fillPaper();
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(m_accent, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        return;
    case Glyph::FitScreen:
        screen(0.5, 0.5, 15, 15);
        p.setPen(QPen(QColor::fromRgb(kPaperColour), 1.3));
        arrow(QPointF(6, 6), QPointF(3, 3), 2);
        arrow(QPointF(10, 10), QPointF(13, 13), 2);
        return;
    case Glyph::GridDots:
    case Glyph::GridLines:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        if (glyph == Glyph::GridDots) {
            noOutline();
            fillAccent();
            for (int y = 3; y < 16; y += 4)
                for (int x = 3; x < 16; x += 4)
                    p.drawEllipse(QPointF(x, y), 0.9, 0.9);
        } else {
            p.setPen(QPen(m_accent, 1));
            for (qreal at = 4; at < 15; at += 4) {
                p.drawLine(QPointF(at, 1), QPointF(at, 15));
                p.drawLine(QPointF(1, at), QPointF(15, at));
            }
        }
        return;
    case Glyph::Pane:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        fillAccent();
        p.drawRect(QRectF(0.5, 1.5, 5, 13));
        return;
    case Glyph::Play:
        outline();
        fillAccent();
        p.drawPolygon(polygon({{3.5, 1.5}, {14, 8}, {3.5, 14.5}}));
        return;
    case Glyph::Binary:
        sheet(2, 1, 12, 14);
        noOutline();
        p.setBrush(QColor::fromRgb(kPaperColour));
        p.drawRect(QRectF(3.5, 4, 8.5, 10));
        letter(QStringLiteral("01"), QRectF(2, 3, 12, 6), 6, true);
        letter(QStringLiteral("10"), QRectF(2, 8, 12, 6), 6, true);
        return;
    case Glyph::Tree:
        outline();
        p.drawLine(QPointF(3.5, 4), QPointF(3.5, 12.5));
        p.drawLine(QPointF(3.5, 8), QPointF(7, 8));
        p.drawLine(QPointF(3.5, 12.5), QPointF(7, 12.5));
        fillAccent();
        p.drawRect(QRectF(1.5, 1.5, 4, 3));
        fillLight();
        p.drawRect(QRectF(7.5, 6.5, 7, 3));
        p.drawRect(QRectF(7.5, 11, 7, 3));
        return;
    case Glyph::Properties:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        p.drawLine(QPointF(6.5, 1.5), QPointF(6.5, 14.5));
        for (qreal y = 5; y < 14; y += 3.5)
            p.drawLine(QPointF(0.5, y), QPointF(15.5, y));
        noOutline();
        fillAccent();
        for (qreal y = 2.5; y < 14; y += 3.5)
            p.drawRect(QRectF(8, y, 6, 1.5));
        return;
    case Glyph::Output:
        outline();
        fillInk();
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        p.setPen(QPen(QColor::fromRgb(kPaperColour), 1.2));
        p.drawLine(QPointF(3, 5), QPointF(5, 7));
        p.drawLine(QPointF(5, 7), QPointF(3, 9));
        p.setPen(QPen(m_accent.lighter(140), 1.2));
        p.drawLine(QPointF(7, 9.5), QPointF(12, 9.5));
        return;
    case Glyph::Palette:
        outline();
        fillPaper();
        p.drawEllipse(QRectF(1, 1.5, 14, 12.5));
        noOutline();
        for (const auto& [x, y, colour] : {std::tuple{5.0, 5.0, QColor(0xc8433b)}, std::tuple{8.5, 4.0, QColor(0x3f9b4a)},
                                           std::tuple{11.5, 6.0, QColor(0x3d7ac7)}, std::tuple{4.5, 9.0, m_accent}}) {
            p.setBrush(colour);
            p.drawEllipse(QPointF(x, y), 1.5, 1.5);
        }
        outline();
        fillLight();
        p.drawEllipse(QPointF(10, 10.5), 1.6, 1.6);
        return;
    case Glyph::Help:
    case Glyph::About:
        outline();
        fillAccent();
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(11);
            font.setBold(true);
            p.setFont(font);
            p.setPen(QColor::fromRgb(kBadgeWhite));
            p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, glyph == Glyph::Help ? QStringLiteral("?") : QStringLiteral("i"));
        }
        return;
    case Glyph::ObjButton:
        outline();
        fillAccent();
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 2, 2);
        fillLight();
        p.drawRoundedRect(QRectF(3, 5.5, 10, 2.5), 1, 1);
        return;
    case Glyph::ObjIndicatorButton:
        outline();
        fillLight();
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 2, 2);
        fillAccent();
        p.drawEllipse(QPointF(5.5, 8), 2, 2);
        p.setPen(QPen(m_ink, 1));
        p.drawLine(QPointF(9, 8), QPointF(12.5, 8));
        return;
    case Glyph::ObjImage:
    case Glyph::ObjDynamicImage:
        outline();
        fillPaper();
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        noOutline();
        p.setBrush(QColor(0xe7b92e));
        p.drawEllipse(QPointF(5, 6), 1.6, 1.6);
        fillAccent();
        p.drawPolygon(polygon({{2, 13}, {7, 7.5}, {10, 10.5}, {11.5, 9}, {14, 13}}));
        if (glyph == Glyph::ObjDynamicImage) {
            outline();
            p.setBrush(Qt::NoBrush);
            p.drawLine(QPointF(3.5, 0.5), QPointF(15.5, 0.5));
            p.drawLine(QPointF(15.5, 0.5), QPointF(15.5, 11.5));
        }
        return;
    case Glyph::ObjNumeric:
    case Glyph::ObjEditNumeric:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 3.5, 15, 9));
        letter(QStringLiteral("123"), QRectF(0, 3, glyph == Glyph::ObjEditNumeric ? 11 : 16, 10), 7, true);
        return;
    case Glyph::ObjTextField:
    case Glyph::ObjEditText:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 3.5, 15, 9));
        letter(QStringLiteral("abc"), QRectF(0, 3, glyph == Glyph::ObjEditText ? 11 : 16, 9), 7, true);
        return;
    case Glyph::ObjDateTime:
        outline();
        fillPaper();
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        fillAccent();
        p.drawRect(QRectF(1.5, 2.5, 13, 3.5));
        noOutline();
        fillInk();
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                p.drawRect(QRectF(3.5 + x * 3.5, 7.5 + y * 3.5, 2, 2));
        return;
    case Glyph::ObjMessage:
        outline();
        fillLight();
        p.drawPolygon(polygon({{1.5, 2.5}, {14.5, 2.5}, {14.5, 11.5}, {7, 11.5}, {4, 14.5}, {4, 11.5}, {1.5, 11.5}}));
        textLines(4, 5.5, 12, 2, 0);
        return;
    case Glyph::ObjLight:
        outline();
        fillLight();
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        fillAccent();
        p.drawEllipse(QRectF(4, 4, 8, 8));
        noOutline();
        p.setBrush(QColor::fromRgb(kBadgeWhite));
        p.drawEllipse(QPointF(6.5, 6.5), 1.2, 1.2);
        return;
    case Glyph::ObjColorBar:
    case Glyph::ObjImageBar:
        outline();
        fillPaper();
        p.drawRect(QRectF(4.5, 0.5, 7, 15));
        fillAccent();
        p.drawRect(QRectF(4.5, 7.5, 7, 8));
        if (glyph == Glyph::ObjImageBar) {
            p.setPen(QPen(QColor::fromRgb(kPaperColour), 1));
            for (qreal y = 9.5; y < 15; y += 2)
                p.drawLine(QPointF(5, y), QPointF(11, y));
        }
        return;
    case Glyph::ObjKnob:
        outline();
        fillAccent();
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.setPen(QPen(QColor::fromRgb(kPaperColour), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(10.8, 4.8));
        return;
    case Glyph::ObjSlider:
        p.setPen(QPen(m_ink, 1.5));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        outline();
        fillAccent();
        p.drawRoundedRect(QRectF(8.5, 3.5, 3.5, 9), 1, 1);
        return;
    case Glyph::ObjMeter:
        outline();
        fillPaper();
        p.drawPie(QRectF(0.5, 3, 15, 15), 0, 180 * 16);
        p.setPen(QPen(m_accent, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 10.5), QPointF(12, 5.5));
        return;
    case Glyph::ObjPolygon:
        outline();
        fillAccent();
        p.drawPolygon(polygon({{8, 1.5}, {14.5, 6}, {12, 14.5}, {4, 14.5}, {1.5, 6}}));
        return;
    case Glyph::ObjRectangle:
        outline();
        fillAccent();
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        return;
    case Glyph::ObjEllipse:
        outline();
        fillAccent();
        p.drawEllipse(QRectF(1.5, 3.5, 13, 9));
        return;
    case Glyph::ObjLine:
        p.setPen(QPen(m_accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 14), QPointF(14, 2));
        return;
    case Glyph::ObjText:
        letter(QStringLiteral("A"), QRectF(0, 0, 16, 16), 14, false);
        return;
    case Glyph::ObjSemaphore:
        outline();
        fillInk();
        p.drawRoundedRect(QRectF(4.5, 0.5, 7, 15), 2, 2);
        noOutline();
        for (const auto& [y, colour] : {std::pair{3.5, QColor(0xc8433b)}, std::pair{8.0, QColor(0xe7b92e)},
                                        std::pair{12.5, QColor(0x3f9b4a)}}) {
            p.setBrush(colour);
            p.drawEllipse(QPointF(8, y), 1.8, 1.8);
        }
        return;
    case Glyph::ObjTrigger:
        outline();
        fillAccent();
        p.drawPolygon(polygon({{9.5, 0.5}, {3, 9}, {7.5, 9}, {6, 15.5}, {13, 6.5}, {8.5, 6.5}}));
        return;
    case Glyph::ObjGraph:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        p.setPen(QPen(m_accent, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(polygon({{2, 12}, {5, 8}, {8, 10}, {11, 4}, {14, 6}}));
        return;
    case Glyph::ObjTimer:
        outline();
        fillPaper();
        p.drawEllipse(QRectF(1.5, 2.5, 13, 13));
        fillInk();
        p.drawRect(QRectF(6.5, 0.5, 3, 2));
        noOutline();
        fillAccent();
        p.drawPie(QRectF(3, 4, 10, 10), 90 * 16, -120 * 16);
        return;
    case Glyph::ObjTicker:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 4.5, 15, 7));
        letter(QStringLiteral("abc"), QRectF(-2, 4, 16, 7), 6, true);
        p.setPen(QPen(m_accent, 1.4));
        arrow(QPointF(15, 14), QPointF(9, 14), 2);
        return;
    case Glyph::ObjListBox:
    case Glyph::ObjDynamicListBox:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        noOutline();
        fillAccent();
        p.drawRect(QRectF(1.5, 5.5, glyph == Glyph::ObjListBox ? 13 : 10, 3));
        textLines(3, 3.5, 11, 1, 0);
        textLines(3, 11, 11, 2, 0);
        if (glyph == Glyph::ObjDynamicListBox) {
            outline();
            fillLight();
            p.drawRect(QRectF(12, 2, 3, 12));
        }
        return;
    case Glyph::ObjWindow:
        outline();
        fillPaper();
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        fillLight();
        p.drawRect(QRectF(4.5, 4.5, 9, 7));
        fillAccent();
        p.drawRect(QRectF(4.5, 4.5, 9, 2));
        return;
    case Glyph::ObjGeneric:
        outline();
        fillLight();
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        fillAccent();
        for (const QPointF corner : {QPointF(2.5, 2.5), QPointF(13.5, 2.5), QPointF(2.5, 13.5), QPointF(13.5, 13.5)})
            p.drawRect(QRectF(corner - QPointF(1.5, 1.5), QSizeF(3, 3)));
        return;
    case Glyph::OverlayScript:
        // Overlays sit in the lower left corner, over the kind's picture.
        outline();
        fillAccent();
        p.drawPolygon(polygon({{4, 7.5}, {1, 12}, {3.5, 12}, {2.5, 15.5}, {6.5, 10.5}, {4, 10.5}}));
        return;
    case Glyph::OverlayLock:
        outline();
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(1.5, 7.5, 4, 5), 0, 180 * 16);
        p.setBrush(QColor(0xe7b92e));
        p.drawRect(QRectF(0.5, 10, 6, 5));
        return;
    case Glyph::OverlayPin:
        outline();
        fillAccent();
        p.drawEllipse(QPointF(3.5, 10.5), 2.5, 2.5);
        p.drawLine(QPointF(3.5, 13), QPointF(3.5, 15.5));
        return;
    case Glyph::Tag:
        tag(1, 2);
        return;
    case Glyph::StringTag:
        tag(1, 2);
        letter(QStringLiteral("ab"), QRectF(3, 1, 10, 9), 6, true);
        return;
    case Glyph::Bulb:
        bulb(true);
        return;
    case Glyph::BulbOff:
        bulb(false);
        return;
    case Glyph::Layers:
        outline();
        for (int layer = 2; layer >= 0; --layer) {
            p.setBrush(layer == 0 ? m_accent : light());
            const qreal y = 1 + layer * 3;
            p.drawPolygon(polygon({{8, y}, {15, y + 3.5}, {8, y + 7}, {1, y + 3.5}}));
        }
        return;
    case Glyph::Crosshair:
        outline(1.2);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.drawLine(QPointF(8, 0.5), QPointF(8, 5));
        p.drawLine(QPointF(8, 11), QPointF(8, 15.5));
        p.drawLine(QPointF(0.5, 8), QPointF(5, 8));
        p.drawLine(QPointF(11, 8), QPointF(15.5, 8));
        noOutline();
        fillAccent();
        p.drawEllipse(QPointF(8, 8), 2, 2);
        return;
    case Glyph::Compare:
        // A balance: compare a tag with a value.
        outline(1.2);
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.drawLine(QPointF(4.5, 14.5), QPointF(11.5, 14.5));
        p.drawLine(QPointF(2, 4), QPointF(14, 4));
        fillAccent();
        p.drawPie(QRectF(0, 4, 5, 6), 0, -180 * 16);
        p.drawPie(QRectF(11, 4, 5, 6), 0, -180 * 16);
        return;
    case Glyph::Fork:
        p.setPen(QPen(m_accent, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(4, 15), QPointF(4, 2));
        {
            QPainterPath branch;
            branch.moveTo(4, 10);
            branch.cubicTo(4, 6, 11, 8, 11, 3);
            p.drawPath(branch);
        }
        p.setPen(QPen(m_ink, 1));
        p.setBrush(m_ink);
        p.drawEllipse(QPointF(4, 2), 1.4, 1.4);
        p.drawEllipse(QPointF(11, 2.5), 1.4, 1.4);
        return;
    case Glyph::EndBlock:
        p.setPen(QPen(m_accent, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 1), QPointF(4, 11));
        outline();
        fillAccent();
        p.drawRect(QRectF(1.5, 11.5, 13, 3));
        return;
    case Glyph::KeyCap:
        outline();
        fillLight();
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
        fillPaper();
        p.drawRoundedRect(QRectF(3.5, 3.5, 9, 7.5), 1.5, 1.5);
        letter(QStringLiteral("K"), QRectF(3.5, 3.5, 9, 7.5), 7, true);
        return;
    case Glyph::Moon:
        noOutline();
        fillAccent();
        {
            QPainterPath moon;
            moon.addEllipse(QRectF(1.5, 1.5, 13, 13));
            QPainterPath bite;
            bite.addEllipse(QRectF(5.5, -0.5, 12, 12));
            p.drawPath(moon.subtracted(bite));
        }
        letter(QStringLiteral("z"), QRectF(9, 7, 6, 7), 6, true);
        return;
    }
}

void CIconPainter::badge(Badge badge)
{
    QPainter& p = m_painter;
    const QPointF centre(kBadgeCentre, kBadgeCentre);
    // A white ring keeps the badge apart from the picture under it.
    p.setPen(QPen(QColor::fromRgb(kBadgeWhite), 1));
    p.setBrush(badge == Badge::Cross ? QColor(0xc8433b) : badge == Badge::Plus ? QColor(0x3f9b4a) : m_ink);
    p.drawEllipse(centre, kBadgeRadius, kBadgeRadius);
    QPen mark(QColor::fromRgb(kBadgeWhite), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(QColor::fromRgb(kBadgeWhite));
    const qreal x = kBadgeCentre, y = kBadgeCentre, r = 2.3;
    switch (badge) {
    case Badge::None:
        return;
    case Badge::Plus:
        p.drawLine(QPointF(x - r, y), QPointF(x + r, y));
        p.drawLine(QPointF(x, y - r), QPointF(x, y + r));
        return;
    case Badge::Minus:
        p.drawLine(QPointF(x - r, y), QPointF(x + r, y));
        return;
    case Badge::Cross:
    case Badge::Times:
        p.drawLine(QPointF(x - r + 0.5, y - r + 0.5), QPointF(x + r - 0.5, y + r - 0.5));
        p.drawLine(QPointF(x - r + 0.5, y + r - 0.5), QPointF(x + r - 0.5, y - r + 0.5));
        return;
    case Badge::ArrowRight:
        arrow(QPointF(x - r, y), QPointF(x + r, y), 1.8);
        return;
    case Badge::ArrowLeft:
        arrow(QPointF(x + r, y), QPointF(x - r, y), 1.8);
        return;
    case Badge::ArrowIn:
        arrow(QPointF(x - r, y - r), QPointF(x + r - 0.5, y + r - 0.5), 1.8);
        return;
    case Badge::ArrowUp:
        arrow(QPointF(x, y + r), QPointF(x, y - r), 1.8);
        return;
    case Badge::ArrowDown:
        arrow(QPointF(x, y - r), QPointF(x, y + r), 1.8);
        return;
    case Badge::Pencil:
        p.drawLine(QPointF(x - r, y + r), QPointF(x + r, y - r));
        p.drawPoint(QPointF(x - r, y + r));
        return;
    case Badge::Lightning:
        p.setPen(Qt::NoPen);
        p.drawPolygon(polygon({{x + 0.8, y - 3}, {x - 2, y + 0.5}, {x, y + 0.5}, {x - 0.8, y + 3}, {x + 2, y - 0.5}, {x, y - 0.5}}));
        return;
    case Badge::Magnifier:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(x - 0.6, y - 0.6), 1.5, 1.5);
        p.drawLine(QPointF(x + 0.6, y + 0.6), QPointF(x + r, y + r));
        return;
    case Badge::Star: {
        QPolygonF star;
        for (int point = 0; point < 10; ++point) {
            const qreal radius = point % 2 ? 1.1 : 2.8;
            const qreal angle = -M_PI / 2 + point * M_PI / 5;
            star << QPointF(x + radius * std::cos(angle), y + radius * std::sin(angle));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe7b92e));
        p.drawPolygon(star);
        return;
    }
    case Badge::Globe:
        p.setPen(QPen(QColor::fromRgb(kBadgeWhite), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 2.8, 2.8);
        p.drawEllipse(centre, 1.2, 2.8);
        p.drawLine(QPointF(x - 2.8, y), QPointF(x + 2.8, y));
        return;
    case Badge::Equals:
        p.drawLine(QPointF(x - r, y - 1), QPointF(x + r, y - 1));
        p.drawLine(QPointF(x - r, y + 1), QPointF(x + r, y + 1));
        return;
    case Badge::Divide:
        p.drawLine(QPointF(x - r, y), QPointF(x + r, y));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, y - 1.8), 0.7, 0.7);
        p.drawEllipse(QPointF(x, y + 1.8), 0.7, 0.7);
        return;
    case Badge::Amp:
    case Badge::Question: {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(6);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(x - 4, y - 4, 8, 8), Qt::AlignCenter, badge == Badge::Amp ? QStringLiteral("&") : QStringLiteral("?"));
        return;
    }
    case Badge::Eye:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 2.8, 1.6);
        p.setBrush(QColor::fromRgb(kBadgeWhite));
        p.drawEllipse(centre, 0.7, 0.7);
        return;
    case Badge::Home:
        p.setPen(Qt::NoPen);
        p.drawPolygon(polygon({{x, y - 2.8}, {x + 2.8, y}, {x + 1.8, y}, {x + 1.8, y + 2.3}, {x - 1.8, y + 2.3},
                               {x - 1.8, y}, {x - 2.8, y}}));
        return;
    case Badge::Back:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(x - 2.3, y - 2.3, 4.6, 4.6), 90 * 16, 270 * 16);
        p.drawLine(QPointF(x, y - 2.3), QPointF(x - 1.5, y - 3.2));
        return;
    case Badge::Check:
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(polygon({{x - 2.2, y}, {x - 0.6, y + 1.8}, {x + 2.4, y - 1.8}}));
        return;
    case Badge::ArrowsHorizontal:
        arrow(QPointF(x, y), QPointF(x - r - 0.3, y), 1.5);
        arrow(QPointF(x, y), QPointF(x + r + 0.3, y), 1.5);
        return;
    case Badge::ArrowsVertical:
        arrow(QPointF(x, y), QPointF(x, y - r - 0.3), 1.5);
        arrow(QPointF(x, y), QPointF(x, y + r + 0.3), 1.5);
        return;
    case Badge::Crosshair:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 1.8, 1.8);
        p.drawLine(QPointF(x, y - 3), QPointF(x, y + 3));
        p.drawLine(QPointF(x - 3, y), QPointF(x + 3, y));
        return;
    case Badge::Folder:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe7b92e));
        p.drawPolygon(polygon({{x - 2.6, y - 1.8}, {x - 0.5, y - 1.8}, {x + 0.3, y - 1}, {x + 2.6, y - 1}, {x + 2.6, y + 2},
                               {x - 2.6, y + 2}}));
        return;
    case Badge::Moon: {
        p.setPen(Qt::NoPen);
        QPainterPath moon;
        moon.addEllipse(centre, 2.6, 2.6);
        QPainterPath bite;
        bite.addEllipse(centre + QPointF(1.4, -1), 2.3, 2.3);
        p.drawPath(moon.subtracted(bite));
        return;
    }
    case Badge::Dot:
        p.drawEllipse(centre, 1.2, 1.2);
        return;
    case Badge::Link:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(x - 1, y), 1.4, 1);
        p.drawEllipse(QPointF(x + 1, y), 1.4, 1);
        return;
    }
}
