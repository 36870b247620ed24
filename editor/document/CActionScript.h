#pragma once
// Action scripts: the JSON text of a page's or object's "_Action script" property, an
// array of {"trigger", "triggerParams", "command", "params"} holding display names.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ActionEntry {
    uint32_t trigger = 0;          // 1..15, 0 unknown
    std::u16string triggerDetail;  // key name or character of key triggers
    uint32_t action = 0;           // row of the action table, 0 unknown
    std::u16string parameters;
    // The texts as read, so that a trigger or command this editor does not know is
    // stored back unchanged.
    std::u16string triggerText;
    std::u16string commandText;
};

class CActionScript {
public:
    // Entries in array order; text that is not a JSON array gives none. Missing or
    // non-text members read as empty text. formatVersion selects the former names.
    static std::vector<ActionEntry> Parse(std::string_view utf8, int formatVersion);
    // The same, with the reader's message in errors when the text is not a JSON array
    // (empty when it is).
    static std::vector<ActionEntry> Parse(std::string_view utf8, int formatVersion, std::string& errors);
    // The editor's form: members "command", "params", "trigger", "triggerParams" in that
    // order, three-space indentation, UTF-8.
    static std::string Store(const std::vector<ActionEntry>& entries);

    // The script a new ScreenSaver tag trigger gets.
    static std::string DefaultScreenSaverScript();
};
