#pragma once
// A QIcon that draws its picture afresh at each size it is asked for; disabled, it shows
// the same picture in faded grey.

#include <QIconEngine>

#include "editor/views/icons/IconGlyph.h"

class CEditorIconEngine : public QIconEngine {
public:
    explicit CEditorIconEngine(const IconSpec& spec) : m_spec(spec) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override { return new CEditorIconEngine(m_spec); }
    QString key() const override { return QStringLiteral("CEditorIconEngine"); }

    // The picture at size in mode, as the icon shows it.
    QImage Render(int size, QIcon::Mode mode) const;

private:
    IconSpec m_spec;
};
