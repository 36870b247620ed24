#include <gtest/gtest.h>

#include "engine/tags/DController_Local.h"
#include "tests/support/engine/ItemDescriptor.h"
#include "tests/support/engine/RecordingObserver.h"

namespace {

DItemDescriptor local(uint32_t address, uint8_t type, uint16_t size = 0)
{
    return vx::test::itemDescriptor(DItemDescriptor::kLocal, address, type, size);
}

} // namespace

TEST(DController_Local, OneItemPerAddressWhateverTheType)
{
    DController_Local controller;
    DItem* number = controller.findItem(local(7, DValue::kInteger));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(controller.findItem(local(7, DValue::kShort)), number);
    EXPECT_EQ(controller.findItem(local(7, 10, 8)), number);
    EXPECT_EQ(number->value().type(), DValue::kInteger);
    DItem* text = controller.findItem(local(8, 10, 8));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->value().bytes().size(), 8u);
    EXPECT_EQ(controller.count(), 2u);

    // A type with no values (an empty numeric row, or past the table) makes no item.
    EXPECT_EQ(controller.findItem(local(9, 4)), nullptr);
    EXPECT_EQ(controller.findItem(local(9, 200)), nullptr);

    controller.release();
    EXPECT_EQ(controller.count(), 0u);
}

TEST(DController_Local, WrittenItemsNotifyOncePerUpdate)
{
    DController_Local controller;
    DItem* a = controller.findItem(local(1, DValue::kInteger));
    DItem* b = controller.findItem(local(2, DValue::kInteger));
    RecordingObserver first, second;
    a->addObserver(first);
    a->addObserver(second);
    a->addObserver(first); // listed once
    b->addObserver(first);

    a->value().setNumber(5);
    a->value().markWritten();
    a->value().markWritten();
    controller.update(0);
    EXPECT_EQ(first.countFor(a), 1u);
    EXPECT_EQ(second.countFor(a), 1u);
    EXPECT_EQ(first.countFor(b), 0u);
    EXPECT_FALSE(a->value().isWritten());

    controller.update(0); // nothing written: nothing told
    EXPECT_EQ(first.items.size(), 1u);

    controller.onPageChanged(); // every item, every observer
    EXPECT_EQ(first.countFor(a), 2u);
    EXPECT_EQ(first.countFor(b), 1u);
    EXPECT_EQ(second.countFor(a), 2u);
}

namespace {

// Sets another tag when told, as a tag-change trigger's actions do; the new item is
// made while the controller walks its items.
class SettingObserver : public DItemObserver {
public:
    explicit SettingObserver(DController& controller) : m_controller(controller) {}
    void onValueChanged(DItem&) override
    {
        for (uint32_t address = 100; address < 164; ++address)
            if (DItem* item = m_controller.findItem(local(address, DValue::kInteger))) {
                item->value().setNumber(1);
                item->value().markWritten();
            }
    }

private:
    DController& m_controller;
};

// Takes itself off the item it is told about.
class LeavingObserver : public DItemObserver {
public:
    void onValueChanged(DItem& item) override
    {
        ++told;
        item.removeObserver(*this);
    }
    int told = 0;
};

} // namespace

TEST(DController_Local, ObserversMayMakeItemsAndLeaveWhileTold)
{
    DController_Local controller;
    DItem* a = controller.findItem(local(1, DValue::kInteger));
    SettingObserver setter(controller);
    LeavingObserver leaving;
    RecordingObserver after;
    a->addObserver(leaving);
    a->addObserver(setter);
    a->addObserver(after);
    a->value().markWritten();
    controller.update(0);
    EXPECT_EQ(leaving.told, 1);
    EXPECT_EQ(after.countFor(a), 1u); // not skipped when the one before it left
    EXPECT_EQ(a->observerCount(), 2u);
    EXPECT_EQ(controller.count(), 65u);

    // Items made behind the one being told are walked in the same update.
    DItem* made = controller.findItem(local(163, DValue::kInteger));
    EXPECT_EQ(made->value().number(), 1);
    EXPECT_FALSE(made->value().isWritten());
}
