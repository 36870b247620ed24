#pragma once
// The address cell: shows "%4x (%x)", is edited as the start alone; what is entered
// becomes an address, "storage", "memory" or nothing, as the tags model reads it.

#include "editor/views/CTagTextGridItem.h"

class CTagAddressGridItem : public CTagTextGridItem {
    Q_OBJECT
public:
    using CTagTextGridItem::CTagTextGridItem;
};
