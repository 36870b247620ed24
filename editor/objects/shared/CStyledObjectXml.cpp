#include "editor/objects/shared/CStyledObjectXml.h"

#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "foundation/xml/DXMLElement.h"

namespace {
constexpr std::u16string_view kStyleChild = u"style";
} // namespace

bool CStyledObjectXml::Read(CEditorObject& object, const DXMLElement& element)
{
    // The style first: it may rebuild the "Style" group the properties are read into.
    const DXMLElement* style = element.getChild(kStyleChild);
    if (style)
        object.OnStyleChanged(style->getText());
    object.ReadPropertiesXml(element);
    // Also where there is no font: an older file's "alignment" child is the tick alignment.
    object.ReadFont(element);
    object.ReadPosition(element);
    if (CPropertyBase* name = object.GetFormat().FindProperty(u"Style", u"Style name"); style && name)
        name->SetValue(CPropertyValue(style->getText()));
    return true;
}

void CStyledObjectXml::Write(const CEditorObject& object, DXMLElement& parent, FontChildren font)
{
    DXMLElement* element = parent.addChild(u"object");
    element->addChild(u"type")->setText(object.GetTypeName());
    object.WritePropertiesXml(*element);
    if (font == FontChildren::BeforeStyle)
        object.WriteFont(*element);
    element->addChild(kStyleChild)->setText(object.GetStyleName());
    if (font == FontChildren::AfterStyle)
        object.WriteFont(*element);
    object.WritePosition(*element);
}
