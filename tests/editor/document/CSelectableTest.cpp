#include <gtest/gtest.h>

#include <string>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CDocumentHost.h"
#include "editor/document/CSelectable.h"
#include "editor/document/PropertyDefinitions.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

namespace {

std::unique_ptr<CSelectable> build(int32_t type)
{
    auto owner = std::make_unique<CSelectable>(type);
    owner->InitDefinedProperties();
    return owner;
}

// Writes an element as a document and parses it back, as a project file goes to disk.
std::unique_ptr<DXMLParser> roundTrip(const DXMLElement& element, std::string& bytes)
{
    bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    element.write(bytes);
    auto parser = std::make_unique<DXMLParser>(bytes.data(), bytes.size());
    parser->parse();
    return parser;
}

void set(CSelectable& owner, std::u16string_view category, std::u16string_view caption, std::u16string_view value)
{
    CPropertyBase* property = owner.FindProperty(category, caption);
    ASSERT_NE(property, nullptr);
    property->SetValue(CPropertyValue(value));
}

class ImportHost : public CDocumentHost {
public:
    ImportHost() { m_previousHost = CDocumentHost::Set(this); }
    ~ImportHost() override { CDocumentHost::Set(m_previousHost); }
    bool IsImporting() const override { return importing; }
    bool RenameImportedTags(std::u16string& value) override
    {
        if (value != u"old_tag")
            return false;
        value = u"new_tag";
        return true;
    }
    bool RenameScriptReferences(std::u16string& script) override
    {
        ++scripts;
        return !script.empty();
    }
    void SetProjectModified() override { m_previousHost->SetProjectModified(); }
    void RefreshFrameState() override { m_previousHost->RefreshFrameState(); }
    bool importing = true;
    int scripts = 0;

private:
    CDocumentHost* m_previousHost = nullptr;
};

} // namespace

TEST(CSelectable, PropertiesSurviveAWrittenDocument)
{
    const auto button = build(17);
    set(*button, u"none", u"Name", u"a/b");
    set(*button, u"none", u"_Original name", u"start <&> end");
    set(*button, u"Appearance", u"Text", u"Größe = 5 \u20AC\r\nx -= 1; a/b");
    set(*button, u"Behavior", u"Button type", u"Toggle");
    set(*button, u"Behavior", u"_Action script", u"[{\"trigger\":\"On press\",\"params\":\"a&b\"}]");
    set(*button, u"Data", u"Button state tag", u"\u65E5\u672C");
    button->GetFormat().FindProperty(u"Style", u"Style name")->SetValue(CPropertyValue(u"Aqua"));

    DXMLElement object(u"object");
    button->WritePropertiesXml(object);
    ASSERT_NE(object.getChild(u"objectName"), nullptr);
    EXPECT_EQ(object.getChild(u"objectName")->storedText(), u"a&slash;b");
    EXPECT_EQ(object.getChild(u"originalName")->storedText(), u"start &lt;&amp;&gt; end");
    EXPECT_EQ(object.getChild(u"g"), nullptr); // groups write nothing
    EXPECT_EQ(object.children().back()->name(), u"StyleName"); // the second list comes last

    std::string bytes;
    const auto parser = roundTrip(object, bytes);
    const DXMLElement* read = parser->root().getChild(u"object");
    ASSERT_NE(read, nullptr);
    const auto back = build(17);
    back->ReadPropertiesXml(*read);
    for (const DefinitionList list : {DefinitionList::First, DefinitionList::Second}) {
        for (const auto& category : button->GetContainer(list).GetCategories()) {
            for (const auto& property : category->GetProperties()) {
                const CPropertyBase* other =
                    back->GetContainer(list).FindProperty(category->GetName(), property->GetCaption());
                ASSERT_NE(other, nullptr);
                if (category->GetName() == u"Position & Size")
                    continue; // the object's own position children carry these
                EXPECT_EQ(other->GetValueText(), property->GetValueText())
                    << std::string(property->GetCaption().begin(), property->GetCaption().end());
            }
        }
    }
}

TEST(CSelectable, MissingChildrenTakeTheirFormerDefaults)
{
    const auto bar = build(12);
    DXMLElement object(u"object");
    object.addChild(u"objectName")->setText(u"bar-1");
    bar->ReadPropertiesXml(object);
    EXPECT_EQ(bar->FindProperty(u"Ticks & Labels", u"Show ticks")->GetValueText(), u"Hide");
    EXPECT_EQ(bar->FindProperty(u"Appearance", u"Propagation from")->GetValueText(), u"Bottom");
    EXPECT_EQ(bar->FindProperty(u"Behavior", u"Maximum value")->GetValueText(), u"100");
    EXPECT_EQ(bar->FindProperty(u"none", u"_Original name")->GetValueText(), u"bar-1");
    // The options stay the declared choices.
    EXPECT_EQ(bar->FindProperty(u"Ticks & Labels", u"Show ticks")->GetOptionsText(), u"Show\u0001Hide");

    const auto list = build(20);
    const auto button = build(11);
    list->ReadPropertiesXml(DXMLElement(u"object"));
    button->ReadPropertiesXml(DXMLElement(u"object"));
    EXPECT_EQ(list->FindProperty(u"Appearance", u"Item size form")->GetValueText(), u"By item height");
    EXPECT_EQ(button->FindProperty(u"Appearance", u"Indicator size form")->GetValueText(), u"By constant value");
    // A first choice that merely begins like a former default stays as it is.
    const auto graph = build(15);
    graph->ReadPropertiesXml(DXMLElement(u"object"));
    EXPECT_EQ(graph->FindProperty(u"Grids", u"Show horizontal grids")->GetValueText(), u"Show with labels");
}

TEST(CSelectable, PagesReadTheirOlderTransparencyChild)
{
    const auto page = build(30);
    DXMLElement element(u"page");
    element.addChild(u"int")->setText(u"77");
    element.addChild(u"pageType")->setText(u"Global");
    page->ReadPropertiesXml(element);
    EXPECT_EQ(page->FindProperty(u"Page", u"Background transparency")->GetInt(), 77);
    EXPECT_EQ(page->FindProperty(u"Page", u"Page type")->GetValueText(), u"Global");

    element.addChild(u"transparency")->setText(u"12");
    page->ReadPropertiesXml(element);
    EXPECT_EQ(page->FindProperty(u"Page", u"Background transparency")->GetInt(), 12);

    // Objects know no such fallback.
    const auto image = build(1);
    image->ReadPropertiesXml(element);
    EXPECT_EQ(image->FindProperty(u"Appearance", u"Transparency")->GetValueText(), u"12");
    DXMLElement older(u"object");
    older.addChild(u"int")->setText(u"77");
    image->ReadPropertiesXml(older);
    EXPECT_EQ(image->FindProperty(u"Appearance", u"Transparency")->GetValueText(), u"0");
}

TEST(CSelectable, ReadValuesPassTheRenamingPanes)
{
    ImportHost host;
    const auto button = build(17);
    DXMLElement object(u"object");
    object.addChild(u"tag")->setText(u"old_tag");
    object.addChild(u"actionScript")->setText(u"[]");
    button->ReadPropertiesXml(object);
    EXPECT_EQ(button->FindProperty(u"Data", u"Button state tag")->GetValueText(), u"new_tag");
    EXPECT_EQ(host.scripts, 1);

    host.importing = false;
    button->ReadPropertiesXml(object);
    EXPECT_EQ(button->FindProperty(u"Data", u"Button state tag")->GetValueText(), u"old_tag");
}

TEST(CSelectable, MergesByContainerName)
{
    const auto page = build(30);
    const auto button = build(17);
    CPropertySelectedList style;
    button->MergeProperty(u"Format", u"Style", u"Style name", style);
    EXPECT_EQ(style.GetMergeState(), MergeState::Equal);
    page->MergeProperty(u"Format", u"Style", u"Style name", style);
    EXPECT_EQ(style.GetMergeState(), MergeState::Missing);

    CPropertySelectedList name;
    button->MergeProperty(u"Properties", u"none", u"Name", name);
    EXPECT_EQ(name.GetMergeState(), MergeState::Equal);
    button->MergeProperty(u"Elsewhere", u"none", u"Name", name);
    EXPECT_EQ(name.GetMergeState(), MergeState::Missing);
}

TEST(CSelectable, ThemeStyleReplacesTheStyleGroup)
{
    const auto meter = build(14);
    meter->ReplaceStyleDefinitions(u"group,Style,string,Style name,Custom,StyleName,Style name,"
                                   u"color,Needle color,255,needleColor,Needle color,");
    EXPECT_EQ(meter->GetFormat().GetStyle(), u"Custom\u0001255\u0001");
    EXPECT_EQ(meter->GetDefinitions(DefinitionList::Second).size(), 3u);
    EXPECT_EQ(meter->GetFormat().GetCategories().size(), 1u);
}

TEST(CSelectable, AppearanceValuesAndTargetColours)
{
    const auto image = build(1);
    struct Case {
        const char16_t* transparency;
        int32_t clamped;
        uint32_t colour; // 0x00FF8040 stored (red 0x40, green 0x80, blue 0xFF)
    } cases[] = {
        {u"0", 0, 0xFF4080FF}, {u"", 0, 0xFF4080FF},    {u"-5", 0, 0xFF4080FF},
        {u"55", 55, 0xC84080FF}, {u"300", 255, 0x004080FF},
    };
    for (const Case& c : cases) {
        image->FindProperty(u"Appearance", u"Transparency")->SetValue(CPropertyValue(c.transparency));
        EXPECT_EQ(image->GetAppearanceInt(u"Transparency"), c.clamped);
        EXPECT_EQ(image->GetTargetColor(0x00FF8040), c.colour);
    }
    EXPECT_EQ(image->GetAppearanceInt(u"Missing"), 0);
    EXPECT_EQ(build(30)->GetAppearanceInt(u"Transparency"), 0);
}

namespace {

// The shape editor objects take: an entity on the page and a property owner in one,
// open in the editor whose container holds it.
class JoinedObject : public CDiagramEntity, public CSelectable {
public:
    JoinedObject() : CSelectable(17) { InitDefinedProperties(); }
    std::unique_ptr<CDiagramEntity> Clone() const override
    {
        auto clone = std::make_unique<JoinedObject>();
        clone->Copy(*this);
        clone->GetProperties().CopyValuesFrom(GetProperties());
        return clone;
    }
    void Invalidate() override { ++invalidated; }
    CDiagramEntityContainer* GetOwnerEditor() const override { return GetParent(); }
    int invalidated = 0;
};

} // namespace

TEST(CSelectable, JoinsAnEntityAsEditorObjectsDo)
{
    CDiagramEntityContainer editor;
    editor.Add(std::make_unique<JoinedObject>());
    auto* object = dynamic_cast<JoinedObject*>(editor.GetAt(0));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->GetProperties().SetPropertyValue(u"Appearance", u"Text", CPropertyValue(u"Start")));
    ASSERT_EQ(editor.GetUndoStack().size(), 1u);
    EXPECT_EQ(editor.GetUndoStack().back()->label, u"Text = Start");

    // The snapshot's clone carries the old value and points at no editor.
    auto* snapshot = dynamic_cast<JoinedObject*>(editor.GetUndoStack().back()->entities[0].get());
    ASSERT_NE(snapshot, nullptr);
    EXPECT_EQ(snapshot->GetOwnerEditor(), nullptr);
    EXPECT_EQ(snapshot->FindProperty(u"Appearance", u"Text")->GetValueText(), u"button");

    editor.Undo();
    auto* restored = dynamic_cast<JoinedObject*>(editor.GetAt(0));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->FindProperty(u"Appearance", u"Text")->GetValueText(), u"button");
    EXPECT_EQ(restored->GetOwnerEditor(), &editor);

    // Paste marks the pasted copy's picture stale through the one Invalidate.
    restored->Select(true);
    editor.CopySelected();
    editor.Paste();
    EXPECT_EQ(dynamic_cast<JoinedObject*>(editor.GetAt(1))->invalidated, 1);
}
