#include "engine/tags/DController.h"

#include "engine/core/DStatus.h"

int DController::init(uint32_t)
{
    return DStatus::Ok;
}

void DController::release()
{
    m_items.clear();
}

void DController::onPageChanged()
{
    // By index: an observer's trigger may make new items while it is told.
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->notify();
}

void DController::writeItem(DItem& item)
{
    item.notify();
}

DItem* DController::appendItem(uint32_t address, uint32_t type, uint16_t size)
{
    auto item = std::make_unique<DItem>(address, type, size);
    if (!item)
        return nullptr;
    // A string whose buffer could not be had is no item either.
    if (DValue::isStringType(type) && item->value().bytes().data() == nullptr)
        return nullptr;
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

void DController::writeWrittenItems()
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        DItem& item = *m_items[i];
        if (!item.value().isWritten())
            continue;
        item.value().clearWritten();
        writeItem(item);
    }
}
