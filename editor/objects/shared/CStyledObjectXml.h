#pragma once
// The XML of a styled object: "type", the properties, "style" with the style's name, the
// font where the class keeps it, then the position. Reading applies the style before the
// values the file holds, so they win over the theme's defaults, and keeps the name
// "style" gives also when no theme answers it: the object then draws without a theme.

#include <cstdint>

class CEditorObject;
class DXMLElement;

// Where a class writes its font children beside "style".
enum class FontChildren : uint8_t {
    None,        // meters, sliders, knobs, graphs
    AfterStyle,  // buttons and lights
    BeforeStyle, // list boxes
};

class CStyledObjectXml {
public:
    static bool Read(CEditorObject& object, const DXMLElement& element);
    static void Write(const CEditorObject& object, DXMLElement& parent, FontChildren font);
};
