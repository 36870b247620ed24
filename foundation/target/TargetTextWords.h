#pragma once
// Class data of the text objects, then their element records:
//   static text (2): StaticTextWords; the text picture (kind 3) and, in the place of
//     the frame picture, a kind 6 placeholder.
//   message field (8): MessageFieldClassData; the message picture (kind 3) and a kind 6
//     placeholder.

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTag.h"

namespace target {

struct StaticTextWords {
    static constexpr uint32_t kSize = 8;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kTextImageOffset = 4;

    uint32_t frameImage = 0;   // written 0: compiled texts have no frame picture
    uint32_t textImage = 0;    // the text picture's chunk offset

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kTextImageOffset, r.textImage);
    }
};
static_assert(fieldsTileRecord<StaticTextWords>());

struct MessageFieldHead {
    static constexpr uint32_t kSize = 8;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kCountOffset = 4;

    uint32_t frameImage = 0;   // written 0
    uint32_t count = 0;        // message image offsets that follow

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kCountOffset, r.count);
    }
};
static_assert(fieldsTileRecord<MessageFieldHead>());

// The images are the messages, in value order; the tail is the value tag.
using MessageFieldClassData = ImageListClassData<MessageFieldHead, TagReference>;

} // namespace target
