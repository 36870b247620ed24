#pragma once
// The object type table: row 1 to 29 is an object type, 30 marks a page; the page
// type names, indexed by page type number.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr int32_t kFirstObjectType = 1;
inline constexpr int32_t kLastObjectType = 29;
inline constexpr int32_t kPageObjectType = 30;

struct CObjectTypeRow {
    const char16_t* typeName;
    int32_t commandId;        // the editor command that inserts an object of the type
    int32_t icon;             // image index in the ribbon and the project tree
    const char16_t* mainTag;  // the main tag property, or empty
};

class CObjectTypeTable {
public:
    // Rows 0 to 30; 0 and 30 are end rows.
    static std::span<const CObjectTypeRow> Rows();
    // The row of a type name, compared without regard to case; projects of format
    // version 0 also know the older names "trend", "imageBargraph" and "colorBargraph".
    // 0 for an unknown name.
    static int32_t GetObjectTypeIndex(std::u16string_view typeName, int32_t formatVersion);
    // Empty for the end rows and for rows outside the table.
    static std::u16string GetMainTagProperty(int32_t row);
    static std::u16string GetTypeName(int32_t row);

    // "Invalid", "Normal", "Initial" ... indexed by page type number 0 to 9.
    static std::span<const char16_t* const> PageTypeNames();
};
