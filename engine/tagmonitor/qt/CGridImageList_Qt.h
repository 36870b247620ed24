#pragma once
// A grid image list of Qt pixmaps, each drawn at the list's one size.

#include <QPainter>
#include <QPixmap>
#include <utility>
#include <vector>

#include "engine/tagmonitor/grid/CGridImageList.h"

class CGridImageList_Qt final : public CGridImageList {
public:
    CGridImageList_Qt(int width, int height) : m_width(width), m_height(height) {}
    // The image's index.
    int add(QPixmap image)
    {
        m_images.push_back(std::move(image));
        return int(m_images.size()) - 1;
    }
    int imageCount() const override { return int(m_images.size()); }
    int imageWidth() const override { return m_width; }
    int imageHeight() const override { return m_height; }
    void draw(QPainter& painter, int index, QPoint topLeft) const
    {
        if (holds(index))
            painter.drawPixmap(QRect(topLeft, QSize(m_width, m_height)), m_images[std::size_t(index)]);
    }

private:
    int m_width, m_height;
    std::vector<QPixmap> m_images;
};
