#pragma once
// The "proj" chunk: the project header at the chunk's data (kDataOffset after its id),
// then the page table of one absolute offset per page. The engine reads the
// ChunkHeader and then this record; it needs no offset of its own.

#include <array>
#include <cstdint>
#include <string_view>

#include "foundation/target/TargetFormat.h"

namespace target {

struct ProjectHeader {
    static constexpr uint32_t kSize = 176;   // the page table follows at once

    static constexpr uint32_t kMagicOffset = 0;
    static constexpr uint32_t kReserved0Offset = 4;
    static constexpr uint32_t kFrameBytesOffset = 8;
    static constexpr uint32_t kWord60Offset = 12;
    static constexpr uint32_t kPageWidthOffset = 16;
    static constexpr uint32_t kPageHeightOffset = 20;
    static constexpr uint32_t kPixelFormatOffset = 24;
    static constexpr uint32_t kWord1Offset = 28;
    static constexpr uint32_t kLayerVisibleOffset = 32;
    static constexpr uint32_t kLayerXOffset = 36;
    static constexpr uint32_t kLayerYOffset = 40;
    static constexpr uint32_t kReserved44Offset = 44;
    static constexpr uint32_t kBasePagePlusOneOffset = 48;
    static constexpr uint32_t kPasswordOffset = 52;
    static constexpr uint32_t kHoldFirstOffset = 64;
    static constexpr uint32_t kHoldRepeatOffset = 68;
    static constexpr uint32_t kScreenSaverPageOffset = 72;
    static constexpr uint32_t kScreenSaverTimeoutOffset = 76;
    static constexpr uint32_t kReservedBlockOffset = 80;
    static constexpr uint32_t kStartPageOffset = 160;
    static constexpr uint32_t kPageCountOffset = 164;
    static constexpr uint32_t kPageTableOffsetOffset = 168;
    static constexpr uint32_t kWord1043Offset = 172;
    static constexpr uint32_t kPageTableOffset = 176;   // data-relative start of the page table

    static constexpr uint32_t kMagic = fourCC("CrVn");
    static constexpr uint32_t kWord60 = 60;
    static constexpr uint32_t kWord1 = 1;
    static constexpr uint32_t kWord1043 = 1043;
    static constexpr uint32_t kPasswordUnits = 5;   // of the 6 units in the field; the rest stays zero
    static constexpr uint32_t kReservedBlockSize = 80;

    uint32_t magic = kMagic;
    uint32_t reserved0 = 0;
    uint32_t frameBytes = 0;   // page width x page height x 4
    uint32_t word60 = kWord60;
    uint32_t pageWidth = 0;
    uint32_t pageHeight = 0;
    uint32_t pixelFormat = kPixelFormat32;   // kept by the engine, not interpreted
    uint32_t word1 = kWord1;
    uint32_t layerVisible = 0;   // 1 or 0
    int32_t layerX = 0;
    int32_t layerY = 0;
    uint32_t reserved44 = 0;
    uint32_t basePagePlusOne = 0;   // index of the first Global page + 1; 0 = no base page
    std::array<char16_t, 6> password{};
    uint32_t holdFirst = 0;    // milliseconds
    uint32_t holdRepeat = 0;   // milliseconds
    int32_t screenSaverPage = -1;     // -1 = none
    uint32_t screenSaverTimeout = 0;  // milliseconds; 0 = off
    std::array<uint8_t, kReservedBlockSize> reservedBlock{};   // the engine does not interpret it
    int32_t startPage = 0;
    uint32_t pageCount = 0;
    uint32_t pageTableOffset = 0;   // absolute offset of the page table (patched)
    uint32_t word1043 = kWord1043;

    // The first five UTF-16 units of the password; the rest of the field zero.
    void setPassword(std::u16string_view text)
    {
        password = {};
        for (uint32_t i = 0; i < kPasswordUnits && i < text.size(); ++i)
            password[i] = text[i];
    }
    // The base page's index, or -1 without one.
    [[nodiscard]] int32_t basePageIndex() const { return int32_t(basePagePlusOne - 1u); }

    // The frameBytes word of a page of width x height: four bytes a pixel.
    static constexpr uint32_t frameBytesFor(uint32_t width, uint32_t height) { return width * height * 4; }
    // Data-relative offset of page table entry i.
    static constexpr uint32_t pageTableEntryOffset(uint32_t page) { return kPageTableOffset + 4 * page; }

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kMagicOffset, r.magic);
        field(kReserved0Offset, r.reserved0);
        field(kFrameBytesOffset, r.frameBytes);
        field(kWord60Offset, r.word60);
        field(kPageWidthOffset, r.pageWidth);
        field(kPageHeightOffset, r.pageHeight);
        field(kPixelFormatOffset, r.pixelFormat);
        field(kWord1Offset, r.word1);
        field(kLayerVisibleOffset, r.layerVisible);
        field(kLayerXOffset, r.layerX);
        field(kLayerYOffset, r.layerY);
        field(kReserved44Offset, r.reserved44);
        field(kBasePagePlusOneOffset, r.basePagePlusOne);
        field(kPasswordOffset, r.password);
        field(kHoldFirstOffset, r.holdFirst);
        field(kHoldRepeatOffset, r.holdRepeat);
        field(kScreenSaverPageOffset, r.screenSaverPage);
        field(kScreenSaverTimeoutOffset, r.screenSaverTimeout);
        field(kReservedBlockOffset, r.reservedBlock);
        field(kStartPageOffset, r.startPage);
        field(kPageCountOffset, r.pageCount);
        field(kPageTableOffsetOffset, r.pageTableOffset);
        field(kWord1043Offset, r.word1043);
    }
};

} // namespace target
