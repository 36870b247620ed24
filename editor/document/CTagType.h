#pragma once
// The tag types as the tags grid offers them: the shared tag type table by name, which
// slots a numeric or a string row may choose, and the size a chosen type gives.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CTagType {
public:
    static constexpr int32_t kMinStringSize = 2;
    static constexpr int32_t kMaxStringSize = 8192;
    static constexpr int32_t kNewStringSize = 40;

    // The slot of a type name; -1 for a name the table lacks.
    static int32_t Slot(std::u16string_view typeName);
    static std::u16string Name(uint32_t slot);
    // Unknown names count as string types, as every slot past the numbers does.
    static bool IsNumeric(std::u16string_view typeName);
    // The named slots a numeric row (0 to 8) or a string row (9 to 104) offers.
    static std::vector<std::u16string> Offered(std::u16string_view typeName);
    // A numeric type: 1 when its name begins "c", 2 when "s", else 4; a string type
    // keeps its size within the string limits.
    static int32_t SizeForType(std::u16string_view typeName, int32_t size);
    static int32_t ClampStringSize(int32_t size);
    // Strings align to 2 bytes, numbers to their size.
    static int32_t Alignment(std::u16string_view typeName, int32_t size);
};
