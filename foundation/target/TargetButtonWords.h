#pragma once
// Class data of the button (17): ButtonWords; of the indicator button (11):
// IndicatorButtonClassData. Then the element records: the text picture (decoration 2),
// the icon picture (decoration 1), each kind 3 or a kind 6 placeholder when absent; the
// indicator picture (indicator button only); the face.

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTag.h"

namespace target {

// The mode word: "Button type" "Toggle" is Latching; the editor writes SlideOn for every
// other type, and the engine treats any other value as Momentary.
enum class ButtonMode : uint32_t { Momentary = 0, SlideOn = 1, Latching = 2 };

struct ButtonWords {
    static constexpr uint32_t kSize = 52;
    static constexpr uint32_t kModeOffset = 0;
    static constexpr uint32_t kReleasedImageOffset = 4;   // state pictures 0 to 4
    static constexpr uint32_t kPressedImageOffset = 8;
    static constexpr uint32_t kLatchedImageOffset = 12;
    static constexpr uint32_t kFocusedImageOffset = 16;
    static constexpr uint32_t kLatchedFocusedImageOffset = 20;
    static constexpr uint32_t kReservedOffset = 24;
    static constexpr uint32_t kIconImageOffset = 28;
    static constexpr uint32_t kTextImageOffset = 32;
    static constexpr uint32_t kStateTagOffset = 36;
    static constexpr uint32_t kDisableTagOffset = 44;

    uint32_t mode = uint32_t(ButtonMode::Momentary);
    uint32_t releasedImage = 0;
    uint32_t pressedImage = 0;
    uint32_t latchedImage = 0;
    uint32_t focusedImage = 0;
    uint32_t latchedFocusedImage = 0;
    uint32_t reserved = 0;     // written 0, not read
    uint32_t iconImage = 0;    // decoration 1; 0 without an icon
    uint32_t textImage = 0;    // decoration 2; 0 without text
    TagReference stateTag;     // "Button state tag"
    TagReference disableTag;   // "Button disable tag": disables the button while it holds 0

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kModeOffset, r.mode);
        field(kReleasedImageOffset, r.releasedImage);
        field(kPressedImageOffset, r.pressedImage);
        field(kLatchedImageOffset, r.latchedImage);
        field(kFocusedImageOffset, r.focusedImage);
        field(kLatchedFocusedImageOffset, r.latchedFocusedImage);
        field(kReservedOffset, r.reserved);
        field(kIconImageOffset, r.iconImage);
        field(kTextImageOffset, r.textImage);
        field(kStateTagOffset, r.stateTag);
        field(kDisableTagOffset, r.disableTag);
    }
};
static_assert(fieldsTileRecord<ButtonWords>());

// The indicator button's words after ButtonWords, before its indicator image offsets.
struct IndicatorImagesHead {
    static constexpr uint32_t kSize = 8;
    static constexpr uint32_t kCountOffset = 0;
    static constexpr uint32_t kReservedOffset = 4;

    uint32_t count = 0;      // indicator image offsets that follow
    uint32_t reserved = 0;   // written 0, not read

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kCountOffset, r.count);
        field(kReservedOffset, r.reserved);
    }
};
static_assert(fieldsTileRecord<IndicatorImagesHead>());

// The indicator images follow the button's words, in value order; the tail is the
// indicator tag.
struct IndicatorButtonClassData {
    ButtonWords button;
    ImageListClassData<IndicatorImagesHead, TagReference> indicators;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        part(r.button);
        part(r.indicators);
    }
};

} // namespace target
