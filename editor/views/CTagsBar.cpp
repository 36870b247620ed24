#include "editor/views/CTagsBar.h"

#include <QVBoxLayout>

CTagsBar::CTagsBar(CTagsModel& tags, QWidget* parent) : QWidget(parent), m_grid(new CTagsGrid(tags, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
}
