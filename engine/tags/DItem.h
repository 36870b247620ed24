#pragma once
// A tag at run time: its value, where it lives and the widgets that watch it.

#include <cstdint>
#include <vector>

#include "engine/core/DObject.h"
#include "engine/tags/DValue.h"

class DItemObserver;

class DItem : public DObject {
public:
    // The value is set up as DValue::init does for type and size.
    DItem(uint32_t address, uint32_t type, uint16_t size);
    DItem(const DItem&) = delete;
    DItem& operator=(const DItem&) = delete;

    [[nodiscard]] DValue& value() { return m_value; }
    [[nodiscard]] const DValue& value() const { return m_value; }
    [[nodiscard]] uint32_t address() const { return m_address; }

    // Observers are told in order of registration; one observer is listed once.
    void addObserver(DItemObserver& observer);
    void removeObserver(DItemObserver& observer);
    [[nodiscard]] std::size_t observerCount() const { return m_observers.size(); }
    // Calls onValueChanged on every observer.
    void notify();

private:
    // Borrowed: a widget unbinds itself when its page hides it.
    std::vector<DItemObserver*> m_observers;
    DValue m_value;
    uint32_t m_address;
};
