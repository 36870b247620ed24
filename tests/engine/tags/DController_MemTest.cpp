#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/tags/DController_Local.h"
#include "engine/tags/DController_Mem.h"
#include "engine/posix/DMemory_CRT.h"
#include "tests/support/engine/ItemDescriptor.h"
#include "tests/support/engine/RecordingObserver.h"

namespace {

DItemDescriptor memory(uint32_t address, uint8_t type, uint16_t size = 0)
{
    return vx::test::itemDescriptor(DItemDescriptor::kMemory, address, type, size);
}

// An allocator whose grown blocks come back full of garbage, and whose reallocation can
// be made to fail, as a real heap's may.
class HostileMemory : public DMemory_CRT {
public:
    void* realloc(void* block, std::size_t size) override
    {
        if (failReallocation)
            return nullptr;
        const std::size_t old = blockSize(block);
        auto* grown = static_cast<uint8_t*>(DMemory_CRT::realloc(block, size));
        if (grown && size > old)
            std::memset(grown + old, 0xCD, size - old);
        return grown;
    }
    bool failReallocation = false;
};

class DController_MemTest : public testing::Test {
protected:
    void SetUp() override { DMemory::setGlobal(&m_heap); }
    void TearDown() override { DMemory::setGlobal(nullptr); }
    HostileMemory m_heap;
};

uint32_t wordAt(const DController_Mem& controller, uint32_t address)
{
    uint32_t word = 0;
    std::memcpy(&word, controller.image() + address, 4);
    return word;
}

} // namespace

TEST_F(DController_MemTest, ImageGrowsToHoldEveryTagAndNewBytesAreZero)
{
    DController_Mem controller(8192, DController_Mem::Growth::Grows);
    EXPECT_EQ(controller.imageSize(), 8192u);
    controller.image()[8191] = 0x5A;
    ASSERT_NE(controller.findItem(memory(8190, DValue::kInteger)), nullptr);
    EXPECT_EQ(controller.imageSize(), 8194u + 1280u);
    EXPECT_EQ(controller.image()[8191], 0); // the new tag's zero
    EXPECT_EQ(controller.image()[8189], 0);
    for (uint32_t i = 8192; i < controller.imageSize(); ++i)
        ASSERT_EQ(controller.image()[i], 0) << i;

    // A tag that fits does not grow it again.
    ASSERT_NE(controller.findItem(memory(9000, 10, 400)), nullptr);
    EXPECT_EQ(controller.imageSize(), 9474u);
}

TEST_F(DController_MemTest, AFailedGrowthKeepsTheImageAndGivesNoItem)
{
    DController_Mem controller(64, DController_Mem::Growth::Grows);
    controller.image()[10] = 42;
    const uint8_t* before = controller.image();
    m_heap.failReallocation = true;
    EXPECT_EQ(controller.findItem(memory(100, DValue::kShort)), nullptr);
    EXPECT_EQ(controller.imageSize(), 64u);
    EXPECT_EQ(controller.image(), before);
    EXPECT_EQ(controller.image()[10], 42);
    EXPECT_EQ(controller.count(), 0u);

    m_heap.failReallocation = false; // the next reference grows it
    EXPECT_NE(controller.findItem(memory(100, DValue::kShort)), nullptr);
    EXPECT_EQ(controller.image()[10], 42);
}

TEST_F(DController_MemTest, AFixedImageBindsOnlyTagsThatFit)
{
    DController_Mem controller(100, DController_Mem::Growth::Fixed);
    EXPECT_NE(controller.findItem(memory(96, DValue::kInteger)), nullptr);  // its last byte is 99
    EXPECT_EQ(controller.findItem(memory(97, DValue::kInteger)), nullptr);  // one byte further
    EXPECT_NE(controller.findItem(memory(98, DValue::kShort)), nullptr);
    EXPECT_EQ(controller.findItem(memory(90, 10, 11)), nullptr);
    EXPECT_EQ(controller.findItem(memory(0xFFFFFF, DValue::kShort)), nullptr);
    EXPECT_EQ(controller.imageSize(), 100u);
}

TEST_F(DController_MemTest, ItemsAreKeyedByAddressTypeAndStringSize)
{
    DController_Mem controller(64, DController_Mem::Growth::Grows);
    DItem* integer = controller.findItem(memory(4, DValue::kInteger));
    DItem* shortItem = controller.findItem(memory(4, DValue::kShort));
    ASSERT_NE(integer, nullptr);
    ASSERT_NE(shortItem, nullptr);
    EXPECT_NE(integer, shortItem);
    EXPECT_EQ(controller.findItem(memory(4, DValue::kInteger)), integer);
    DItem* eight = controller.findItem(memory(16, 10, 8));
    EXPECT_NE(controller.findItem(memory(16, 10, 4)), eight);
    EXPECT_EQ(controller.findItem(memory(16, 10, 8)), eight);
    EXPECT_EQ(controller.count(), 4u);

    // The same references in the local controller are one item.
    DController_Local local;
    EXPECT_EQ(local.findItem(memory(4, DValue::kInteger)), local.findItem(memory(4, DValue::kShort)));
}

TEST_F(DController_MemTest, NewNumbersStoreZeroAndNewStringsReadTheImage)
{
    DController_Mem controller(64, DController_Mem::Growth::Grows);
    std::memset(controller.image(), 0xEE, 64);
    std::memcpy(controller.image() + 20, "pump", 4);
    ASSERT_NE(controller.findItem(memory(2, DValue::kShort)), nullptr);
    EXPECT_EQ(controller.image()[1], 0xEE);
    EXPECT_EQ(controller.image()[2], 0);
    EXPECT_EQ(controller.image()[3], 0);
    EXPECT_EQ(controller.image()[4], 0xEE);

    DItem* text = controller.findItem(memory(20, 10, 4));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::memcmp(text->value().bytes().data(), "pump", 4), 0);
    EXPECT_EQ(controller.image()[20], 'p'); // a string leaves the image as it is
}

TEST_F(DController_MemTest, ImageAndItemsMeetWithinOneUpdate)
{
    DController_Mem controller(64, DController_Mem::Growth::Grows);
    DItem* level = controller.findItem(memory(8, DValue::kInteger));
    DItem* flag = controller.findItem(memory(12, DValue::kShort));
    RecordingObserver widget;
    level->addObserver(widget);
    flag->addObserver(widget);

    controller.update(0); // nothing changed
    EXPECT_TRUE(widget.items.empty());

    // From outside, as the tags dialog writes: the item follows and its widget is told once.
    const uint32_t written = 0xFFFFFFFE;
    std::memcpy(controller.image() + 8, &written, 4);
    controller.update(0);
    ASSERT_EQ(widget.items.size(), 1u);
    EXPECT_EQ(widget.numbers[0], -2);
    controller.update(0);
    EXPECT_EQ(widget.items.size(), 1u);

    // From an action: the image follows; a 16-bit tag keeps its low half.
    flag->value().setNumber(70000);
    flag->value().markWritten();
    controller.update(0);
    EXPECT_EQ(controller.image()[12] | controller.image()[13] << 8, 4464);
    EXPECT_EQ(controller.image()[14], 0);
    EXPECT_EQ(widget.countFor(flag), 1u);
    EXPECT_FALSE(flag->value().isWritten());
    controller.update(0); // the image and the item agree in their 16 bits
    EXPECT_EQ(widget.countFor(flag), 1u);
    EXPECT_EQ(wordAt(controller, 8), written);
}

TEST_F(DController_MemTest, StringTagsConvertIntoTheirCharacterSet)
{
    DController_Mem controller(64, DController_Mem::Growth::Grows);
    DItem* wide = controller.findItem(memory(0, 11, 12)); // UTF-16LE
    DItem* unconvertible = controller.findItem(memory(32, 46, 4)); // CP1131: not in this C library
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(unconvertible, nullptr);
    std::memcpy(controller.image() + 32, "old!", 4);
    controller.update(0);

    DValue typed;
    typed.init(nullptr, 5, 10); // UTF-8
    typed.setBytes({reinterpret_cast<const uint8_t*>("Caf\xc3\xa9"), 5});
    wide->value().assign(typed);
    wide->value().markWritten();
    unconvertible->value().assign(typed);
    unconvertible->value().markWritten();
    controller.update(0);
    const std::u16string expected = u"Caf\u00e9";
    EXPECT_EQ(std::memcmp(controller.image(), expected.data(), 8), 0);
    EXPECT_EQ(controller.image()[8], 0);
    EXPECT_EQ(std::memcmp(controller.image() + 32, "old!", 4), 0);

    // An outside change of one byte reaches the item whole.
    controller.image()[0] = 'K';
    controller.update(0);
    EXPECT_EQ(wide->value().bytes()[0], 'K');
}
