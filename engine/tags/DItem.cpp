#include "engine/tags/DItem.h"

#include <algorithm>

#include "engine/tags/DItemObserver.h"

DItem::DItem(uint32_t address, uint32_t type, uint16_t size) : m_address(address)
{
    m_value.init(this, size, type);
}

void DItem::addObserver(DItemObserver& observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), &observer) == m_observers.end())
        m_observers.push_back(&observer);
}

void DItem::removeObserver(DItemObserver& observer)
{
    std::erase(m_observers, &observer);
}

void DItem::notify()
{
    // An observer may unbind itself or another while it is told: walk by index and
    // step on only when the one just told is still in its place.
    for (std::size_t i = 0; i < m_observers.size();) {
        DItemObserver* observer = m_observers[i];
        observer->onValueChanged(*this);
        if (i < m_observers.size() && m_observers[i] == observer)
            ++i;
    }
}
