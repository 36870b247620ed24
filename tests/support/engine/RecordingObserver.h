#pragma once
// An observer that records every notification it gets, with the value it saw.

#include <cstdint>
#include <vector>

#include "engine/tags/DItem.h"
#include "engine/tags/DItemObserver.h"

class RecordingObserver : public DItemObserver {
public:
    void onValueChanged(DItem& item) override
    {
        items.push_back(&item);
        numbers.push_back(item.value().number());
    }
    std::size_t countFor(const DItem* item) const
    {
        std::size_t count = 0;
        for (const DItem* seen : items)
            count += seen == item;
        return count;
    }
    void clear()
    {
        items.clear();
        numbers.clear();
    }

    std::vector<DItem*> items;
    std::vector<int32_t> numbers;
};
