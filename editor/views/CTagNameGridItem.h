#pragma once
// The name cell: the tags model refuses names it does not take, and the old name stays.

#include "editor/views/CTagTextGridItem.h"

class CTagNameGridItem : public CTagTextGridItem {
    Q_OBJECT
public:
    using CTagTextGridItem::CTagTextGridItem;
};
