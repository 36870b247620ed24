#pragma once
// The XML of a styled object without a text group (sliders, knobs, graphs): "type", the
// properties, "style" with the style's name, the position; no font. Reading applies the
// style first, so the values the file holds win over the theme's defaults.

class CEditorObject;
class DXMLElement;

class CStyledObjectXml {
public:
    static bool Read(CEditorObject& object, const DXMLElement& element);
    static void Write(const CEditorObject& object, DXMLElement& parent);
};
