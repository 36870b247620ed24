// The XML of every styled object class against golden files: the children in the order
// each class writes them ("style" before the font for buttons and lights, after it for
// list boxes, no font for meters, sliders, knobs and graphs), and a file read back and
// written again unchanged, so the style is applied before the values the file holds.
#include <gtest/gtest.h>

#include <string>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectTheme.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"
#include "tests/editor/objects/sliders/SliderTestThemes.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct GoldenCase {
    int32_t type;
    const char* file;
};

// One row per type of every styled class: lights, buttons, meters, graphs, sliders and
// knobs, list boxes.
constexpr GoldenCase kCases[] = {
    {10, "indicatorLight"}, {11, "indicatorButton"}, {14, "meter"},   {15, "graph"},         {17, "button"},
    {18, "slider"},         {19, "knob"},            {20, "listBox"}, {21, "dynamicListBox"},
};

void PrintTo(const GoldenCase& golden, std::ostream* out)
{
    *out << golden.file;
}

constexpr std::u16string_view kStyle = u"Alloy";

std::string textOf(const DXMLElement& object)
{
    std::string bytes;
    object.write(bytes);
    return bytes;
}

class StyledObjectXml : public vx::test::BuiltStylesTest, public testing::WithParamInterface<GoldenCase> {
protected:
    void SetUp() override
    {
        BuiltStylesTest::SetUp();
        UseRealThemes();
        golden = vx::test::readFile(vx::test::fixturePath("editor/objects/xml/" + std::string(GetParam().file) + ".xml"));
    }

    // The object in the theme, with every value the theme gives changed, so a theme
    // applied after the file's values shows; a name, a place and a font size of its own.
    std::unique_ptr<CEditorObject> Made()
    {
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(GetParam().type, &page);
        object->OnStyleChanged(kStyle);
        CObjectTheme* theme = object->GetTheme();
        EXPECT_NE(theme, nullptr);
        for (const auto& property : object->GetProperties().FindCategory(u"Appearance")->GetProperties()) {
            const std::u16string setting = theme->GetSetting(object->GetTypeName(), property->GetCaption());
            if (setting.empty())
                continue;
            property->SetValue(CPropertyValue(setting));
            property->SetValue(CPropertyValue(int32_t(property->GetInt() + 1)));
        }
        object->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"golden"));
        object->SetRect(12, 34, 156, 98);
        if (CPropertyBase* size = object->GetFormat().FindProperty(u"Format", u"Size"))
            size->SetValue(CPropertyValue(int32_t(19)));
        return object;
    }

    // The object's text in a document, read into a new object of the type.
    std::unique_ptr<CEditorObject> Read(const std::string& text)
    {
        const std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + text;
        DXMLParser parser(document.data(), document.size());
        EXPECT_TRUE(parser.parse());
        const DXMLElement* element = parser.root().getChild(u"object");
        EXPECT_NE(element, nullptr);
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(GetParam().type, &page);
        if (element) {
            EXPECT_TRUE(object->ReadXml(*element));
        }
        return object;
    }

    static std::string Written(const CEditorObject& object)
    {
        DXMLElement root(u"page");
        object.WriteXml(root);
        const DXMLElement* element = root.getChild(u"object");
        return element ? textOf(*element) : std::string();
    }

    CSelectable page{kPageObjectType};
    std::string golden;
};

TEST_P(StyledObjectXml, WritesTheChildrenInTheClassesOrder)
{
    EXPECT_EQ(Written(*Made()), golden);
}

TEST_P(StyledObjectXml, ReadsTheStyleBeforeTheValuesItHolds)
{
    const std::unique_ptr<CEditorObject> expected = Made();
    const std::unique_ptr<CEditorObject> read = Read(golden);
    EXPECT_EQ(read->GetStyleName(), kStyle);
    EXPECT_EQ(Written(*read), golden);
    for (const auto& property : expected->GetProperties().FindCategory(u"Appearance")->GetProperties())
        EXPECT_EQ(read->FindProperty(u"Appearance", property->GetCaption())->GetValueText(),
                  property->GetValueText())
            << std::string(property->GetCaption().begin(), property->GetCaption().end());
}

TEST_P(StyledObjectXml, AStyleNoThemeAnswersKeepsItsName)
{
    std::string unknown = golden;
    for (std::size_t at = unknown.find("Alloy"); at != std::string::npos; at = unknown.find("Alloy", at))
        unknown.replace(at, 5, "Nowhere");
    const std::unique_ptr<CEditorObject> read = Read(unknown);
    EXPECT_EQ(read->GetStyleName(), u"Nowhere");
    EXPECT_EQ(read->GetTheme(), nullptr);
    EXPECT_EQ(Written(*read), unknown);

    // "style" names it also where the properties do not.
    const std::string nameLine = "\t<StyleName>Nowhere</StyleName>\n";
    std::string withoutName = unknown;
    ASSERT_NE(withoutName.find(nameLine), std::string::npos);
    withoutName.erase(withoutName.find(nameLine), nameLine.size());
    const std::unique_ptr<CEditorObject> older = Read(withoutName);
    EXPECT_EQ(older->GetStyleName(), u"Nowhere");
    EXPECT_EQ(Written(*older), unknown);
}

INSTANTIATE_TEST_SUITE_P(Classes, StyledObjectXml, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.file); });

} // namespace
