#pragma once
// Text formatting of the selected objects: font, size, colour, bold, italic,
// underline, right to left and alignment, each written to every selected object.

#include <cstdint>

class CommandTarget;
class CEditorObject;
class CPageCommandContext;

class CTextFormatCommands {
public:
    // The colour a colour button shows when the selection has no common colour.
    static constexpr uint32_t kNoCommonColour = 0x818181;
    static constexpr int32_t kMinimumSize = 1;
    static constexpr int32_t kMaximumSize = 200;
    // Bits of the font styles an object's face offers.
    static constexpr uint32_t kBoldStyle = 1;
    static constexpr uint32_t kItalicStyle = 2;
    static constexpr uint32_t kAnyStyle = 0xFF;

    static void Register(CommandTarget& target, CPageCommandContext& context);
    // The styles the installed faces of the object's font family offer; every style while
    // the family is not installed.
    static uint32_t AvailableStyles(const CEditorObject& object);
};
