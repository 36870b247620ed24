#include "editor/objects/buttons/CStyleXml.h"

#include "editor/objects/CEditorObject.h"
#include "foundation/xml/DXMLElement.h"

void CStyleXml::Write(const CEditorObject& object, DXMLElement& parent)
{
    DXMLElement* element = parent.addChild(u"object");
    element->addChild(u"type")->setText(object.GetTypeName());
    object.WritePropertiesXml(*element);
    element->addChild(u"style")->setText(object.GetStyleName());
    object.WriteFont(*element);
    object.WritePosition(*element);
}

void CStyleXml::Read(CEditorObject& object, const DXMLElement& element)
{
    const DXMLElement* style = element.getChild(u"style");
    if (!style)
        return;
    const std::u16string name(style->getText());
    if (CPropertyBase* property = object.GetFormat().FindProperty(u"Style", u"Style name"))
        property->SetValue(CPropertyValue(name));
    object.OnStyleChanged(name);
}
