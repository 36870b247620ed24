#pragma once
// Controller index 2: a byte-addressed memory image that stands for the panel's memory.
// Items are views on it; each frame the image and the items are compared, so what the
// tags dialog writes into the image reaches the widgets, and what actions write into the
// items reaches the image. The image outlives project reloads.

#include <cstdint>

#include "engine/tags/DController.h"

class DController_Mem : public DController {
public:
    // "-m" fixes the size; otherwise the image grows to hold every tag bound.
    enum class Growth { Grows, Fixed };
    // Room added beyond a tag that grows the image.
    static constexpr uint32_t kGrowthSlack = 1280;
    static constexpr uint32_t kDefaultImageSize = 8192;

    DController_Mem(uint32_t imageSize, Growth growth);
    ~DController_Mem() override;

    void update(uint32_t now) override;
    // By address and type (and size for strings); grows the image when it may. A new
    // number stores its 0 into the image, a new string takes its bytes from it.
    DItem* findItem(const DItemDescriptor& descriptor) override;
    // Stores the item's value into the image, then tells its observers.
    void writeItem(DItem& item) override;

    // The image the tags dialog reads and writes between frames; it moves when it grows.
    [[nodiscard]] uint8_t* image() { return m_image; }
    [[nodiscard]] const uint8_t* image() const { return m_image; }
    [[nodiscard]] uint32_t imageSize() const { return m_imageSize; }
    [[nodiscard]] Growth growth() const { return m_growth; }

private:
    // Bytes of the image a value of this type and size occupies.
    [[nodiscard]] static uint32_t footprint(uint32_t type, uint16_t size);
    [[nodiscard]] bool makeRoom(uint64_t end);
    void store(const DItem& item);
    // Takes the image's value into the item; true when it differed.
    bool load(DItem& item);

    uint8_t* m_image = nullptr;
    uint32_t m_imageSize = 0;
    Growth m_growth;
};
