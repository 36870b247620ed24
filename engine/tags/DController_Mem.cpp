#include "engine/tags/DController_Mem.h"

#include <algorithm>
#include <cstring>

#include "engine/tags/DLittleEndian.h"
#include "foundation/DMemory.h"

DController_Mem::DController_Mem(uint32_t imageSize, Growth growth) : DController(Kind::Memory), m_growth(growth)
{
    // A byte at least, so that even an empty fixed image is a block of its own.
    const std::size_t bytes = std::max<std::size_t>(imageSize, 1);
    m_image = static_cast<uint8_t*>(dAlloc(bytes));
    if (!m_image)
        return;
    std::memset(m_image, 0, bytes);
    m_imageSize = imageSize;
}

DController_Mem::~DController_Mem()
{
    release();
    dFree(m_image);
}

uint32_t DController_Mem::footprint(uint32_t type, uint16_t size)
{
    if (type == DValue::kShort)
        return 2;
    if (type == DValue::kInteger)
        return 4;
    return DValue::isStringType(type) ? size : 0;
}

bool DController_Mem::makeRoom(uint64_t end)
{
    if (end <= m_imageSize)
        return true;
    const uint64_t grown = end + kGrowthSlack;
    if (m_growth == Growth::Fixed || grown > UINT32_MAX)
        return false;
    auto* image = static_cast<uint8_t*>(dRealloc(m_image, std::size_t(grown)));
    if (!image)
        return false; // the old image stays, and so does everything in it
    // What the heap adds holds old garbage; the panel's memory starts at zero.
    std::memset(image + m_imageSize, 0, std::size_t(grown - m_imageSize));
    m_image = image;
    m_imageSize = uint32_t(grown);
    return true;
}

DItem* DController_Mem::findItem(const DItemDescriptor& descriptor)
{
    const uint32_t type = descriptor.type;
    if (!DValue::isNumberType(type) && !DValue::isStringType(type))
        return nullptr;
    if (!makeRoom(uint64_t(descriptor.address) + footprint(type, descriptor.size)))
        return nullptr;
    for (const auto& item : m_items) {
        const DValue& value = item->value();
        if (item->address() == descriptor.address && value.type() == type &&
            (!value.isString() || value.size() == descriptor.size))
            return item.get();
    }
    DItem* item = appendItem(descriptor.address, type, descriptor.size);
    if (!item)
        return nullptr;
    if (item->value().isNumber())
        store(*item);
    else
        (void)load(*item);
    return item;
}

void DController_Mem::store(const DItem& item)
{
    const DValue& value = item.value();
    const uint32_t bytes = footprint(value.type(), value.size());
    if (!m_image || uint64_t(item.address()) + bytes > m_imageSize)
        return;
    uint8_t* at = m_image + item.address();
    if (value.isNumber())
        writeLittleEndian(at, uint32_t(value.number()), bytes);
    else if (bytes)
        std::memcpy(at, value.bytes().data(), bytes);
}

bool DController_Mem::load(DItem& item)
{
    DValue& value = item.value();
    const uint32_t bytes = footprint(value.type(), value.size());
    if (!m_image || uint64_t(item.address()) + bytes > m_imageSize)
        return false;
    const uint8_t* at = m_image + item.address();
    if (value.type() == DValue::kShort) {
        const uint16_t held = uint16_t(readLittleEndian(at, 2));
        if (held == uint16_t(value.number()))
            return false;
        value.setNumber(int16_t(held));
        return true;
    }
    if (value.type() == DValue::kInteger) {
        const int32_t held = int32_t(readLittleEndian(at, 4));
        if (held == value.number())
            return false;
        value.setNumber(held);
        return true;
    }
    if (bytes == 0 || std::memcmp(at, value.bytes().data(), bytes) == 0)
        return false;
    value.setBytes({at, bytes});
    return true;
}

void DController_Mem::writeItem(DItem& item)
{
    store(item);
    item.notify();
}

void DController_Mem::update(uint32_t)
{
    // By index: an observer's trigger may bind new items while it is told.
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        DItem& item = *m_items[i];
        if (item.value().isWritten()) {
            item.value().clearWritten();
            writeItem(item);
        } else if (load(item)) {
            item.notify(); // changed from outside, by the tags dialog
        }
    }
}
