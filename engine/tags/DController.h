#pragma once
// A tag controller: owns the items of one controller index and, once per frame, writes
// through the items that were written and tells their observers.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/tags/DItem.h"
#include "engine/tags/DItemDescriptor.h"
#include "engine/core/DObject.h"

class DController : public DObject {
public:
    enum class Kind : uint32_t { System = 1, Local = 2, Memory = 3 };

    explicit DController(Kind kind) : m_kind(kind) {}
    ~DController() override = default;
    DController(const DController&) = delete;
    DController& operator=(const DController&) = delete;

    // When the project is attached; now is the platform's millisecond clock. 0 on success.
    [[nodiscard]] virtual int init(uint32_t now);
    // When the project is unloaded: deletes every item.
    virtual void release();
    // Once per frame, first thing.
    virtual void update(uint32_t now) = 0;
    // Every item tells its observers, so a new page shows current values.
    virtual void onPageChanged();
    [[nodiscard]] virtual uint32_t count() const { return uint32_t(m_items.size()); }
    // The item the descriptor names, made on first reference where the controller makes
    // items; null when there is none.
    [[nodiscard]] virtual DItem* findItem(const DItemDescriptor& descriptor) = 0;
    // Writes the item's value through and tells its observers.
    virtual void writeItem(DItem& item);

    [[nodiscard]] Kind kind() const { return m_kind; }

protected:
    // Appends a new item; null when there is no memory for it.
    DItem* appendItem(uint32_t address, uint32_t type, uint16_t size);
    // writeItem for every written item, clearing the mark.
    void writeWrittenItems();

    std::vector<std::unique_ptr<DItem>> m_items;

private:
    Kind m_kind;
};
