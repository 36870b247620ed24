#pragma once
// System tags as the editor knows them: fixed names for the numbers of the engine's
// system controller. The numbers and names live in the shared target headers.

#include <cstdint>
#include <string>
#include <string_view>

class CSysTag {
public:
    std::u16string name;
    int32_t number = -1;

    // Entries of the basic table (the tags pane offers these).
    static int GetCount();
    // Name of a basic table entry; empty outside 0 .. GetCount() - 1.
    static std::u16string GetName(int index);
    // Exact comparison, basic table first, then the general timer table; -1 when absent.
    static int32_t FindId(std::u16string_view name);
    // Names beginning with "sys" are reserved for system tags.
    static bool IsSystemTagName(std::u16string_view name);
};
