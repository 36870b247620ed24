#include "foundation/target/TargetActions.h"

#include <algorithm>

namespace target {

ActionOperands decodeActionOperands(uint32_t action, std::span<const uint8_t> argumentBytes)
{
    ActionOperands operands;
    const std::string_view signature = actionSignature(action);
    std::size_t position = 0;
    int tags = 0;
    int integers = 0;
    auto take = [&](std::size_t count) -> std::span<const uint8_t> {
        if (argumentBytes.size() - position < count) {
            operands.complete = false;
            position = argumentBytes.size();
            return {};
        }
        const auto bytes = argumentBytes.subspan(position, count);
        position += count;
        return bytes;
    };
    for (std::size_t i = 0; i < signature.size(); ++i) {
        const char letter = signature[i];
        if (isTagLetter(letter)) {
            const auto bytes = take(TagReference::kSize);
            if (bytes.empty())
                continue;
            TagReference& tag = tags++ == 0 ? operands.tag : operands.tag2;
            tag = decodeRecord<TagReference>(bytes.first<TagReference::kSize>());
        } else if (letter == 'a') {
            const auto rest = argumentBytes.subspan(position);
            std::size_t units = 0;
            while (units * 2 + 1 < rest.size() && (rest[units * 2] | rest[units * 2 + 1]) != 0)
                ++units;
            if (units * 2 + 1 >= rest.size())
                operands.complete = false;   // no terminating zero unit
            operands.text = rest.first(units * 2);
            position += std::min<std::size_t>(rest.size(), textArgumentBytes(units));
        } else {
            const auto bytes = take(4);
            if (bytes.empty())
                continue;
            const int32_t value = int32_t(loadWord(bytes, 0));
            if (signature.size() == 3 && i == 2)
                operands.l = value;
            else
                (integers++ == 0 ? operands.a : operands.b) = value;
        }
    }
    return operands;
}

} // namespace target
