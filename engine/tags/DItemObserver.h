#pragma once
// What watches a tag item: the widgets that show a tag's value.

#include "engine/core/DObject.h"

class DItem;

class DItemObserver : public DObject {
public:
    // The item's value changed, or a new page asks every widget to show current values.
    virtual void onValueChanged(DItem& item) = 0;
};
