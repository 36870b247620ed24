#pragma once
// The "style" child of a styled object's XML: written after the properties, read before
// them, so the theme's own style group exists when its values are read.

class CEditorObject;
class DXMLElement;

class CStyleXml {
public:
    // "type", the properties, "style" (the style's name), font, position.
    static void Write(const CEditorObject& object, DXMLElement& parent);
    // Applies the style named by an optional "style" child.
    static void Read(CEditorObject& object, const DXMLElement& element);
};
