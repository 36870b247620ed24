#pragma once
// The tags pane: the tags grid, ready for the main frame to dock.

#include <QWidget>

#include "editor/views/CTagsGrid.h"

class CTagsBar : public QWidget {
    Q_OBJECT
public:
    explicit CTagsBar(CTagsModel& tags, QWidget* parent = nullptr);

    CTagsGrid& Grid() const { return *m_grid; }

private:
    CTagsGrid* m_grid;   // owned by the widget tree
};
