#include "editor/objects/sliders/CStyledObjectXml.h"

#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "foundation/xml/DXMLElement.h"

namespace {
constexpr std::u16string_view kStyleChild = u"style";
} // namespace

bool CStyledObjectXml::Read(CEditorObject& object, const DXMLElement& element)
{
    const DXMLElement* style = element.getChild(kStyleChild);
    if (style)
        object.OnStyleChanged(style->getText());
    object.ReadPropertiesXml(element);
    // The style's name as "style" gives it, also when no theme answers it: the object
    // then draws without a theme.
    if (CPropertyBase* property = object.GetFormat().FindProperty(u"Style", u"Style name"); style && property)
        property->SetValue(CPropertyValue(style->getText()));
    object.ReadPosition(element);
    // No font of their own, but an older file's "alignment" child is the tick alignment.
    object.ReadFont(element);
    return true;
}

void CStyledObjectXml::Write(const CEditorObject& object, DXMLElement& parent)
{
    DXMLElement* element = parent.addChild(u"object");
    element->addChild(u"type")->setText(object.GetTypeName());
    object.WritePropertiesXml(*element);
    element->addChild(kStyleChild)->setText(object.GetStyleName());
    object.WritePosition(*element);
}
