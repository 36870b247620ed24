#include "editor/views/icons/CEditorIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "editor/views/icons/CIconPainter.h"

namespace {

// Disabled pictures: grey at this share of their opacity.
constexpr int kDisabledOpacityPercent = 45;

void fade(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel) * kDisabledOpacityPercent / 100;
            const int grey = std::min(qGray(pixel) * kDisabledOpacityPercent / 100, alpha);
            line[x] = qRgba(grey, grey, grey, alpha);
        }
    }
}

} // namespace

QImage CEditorIconEngine::Render(int size, QIcon::Mode mode) const
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        CIconPainter(painter, size, m_spec.accent).Draw(m_spec);
    }
    if (mode == QIcon::Disabled)
        fade(image);
    return image;
}

void CEditorIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State)
{
    const int size = std::min(rect.width(), rect.height());
    if (size <= 0)
        return;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QImage image = Render(int(size * ratio), mode);
    const QRect target(rect.x() + (rect.width() - size) / 2, rect.y() + (rect.height() - size) / 2, size, size);
    painter->drawImage(target, image);
}

QPixmap CEditorIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State)
{
    const int side = std::min(size.width(), size.height());
    if (side <= 0)
        return {};
    return QPixmap::fromImage(Render(side, mode));
}
