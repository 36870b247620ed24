#include <gtest/gtest.h>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CPageObjectContainer.h"
#include "tests/support/editor/FakeTheme.h"

namespace {

using vx::test::FakeThemes;

// Rows whose objects have no area on the page.
bool invisibleRow(int32_t row)
{
    return row == 23 || row == 24;
}

TEST(CObjectFactory, EveryRowOfTheTypeTableMakesItsObjectOrNone)
{
    CSelectable page(kPageObjectType);
    for (int32_t row = -1; row <= kPageObjectType + 1; ++row) {
        SCOPED_TRACE(row);
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(row, &page);
        if (row < 1 || row > 24) {
            EXPECT_EQ(object, nullptr);
            continue;
        }
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetObjectTypeIndex(), row);
        EXPECT_EQ(object->GetTypeName(), CObjectTypeTable::GetTypeName(row));
        EXPECT_EQ(object->GetType(), CObjectTypeTable::GetTypeName(row));
        EXPECT_EQ(object->GetPage(), &page);
        EXPECT_NE(object->FindProperty(u"none", u"Name"), nullptr);
        EXPECT_NE(object->FindProperty(u"none", u"_Original name"), nullptr);
        EXPECT_EQ(object->GetProperties().FindCategory(u"Position & Size") != nullptr, !invisibleRow(row));
        const std::u16string mainTag = CObjectTypeTable::GetMainTagProperty(row);
        if (!mainTag.empty()) {
            EXPECT_NE(object->FindProperty(u"Data", mainTag), nullptr);
        }
    }
}

TEST(CObjectFactory, WithoutAPageNothingIsInitialised)
{
    std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(17, nullptr);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetPage(), nullptr);
    EXPECT_TRUE(object->GetProperties().GetCategories().empty());
}

TEST(CObjectFactory, TextGroupFollowsTheClassDefaults)
{
    CSelectable page(kPageObjectType);
    const auto button = CEditorObject::CreateObject(17, &page);
    EXPECT_EQ(button->GetFormat().FindProperty(u"Format", u"Text")->GetValueText(), u"Arial");
    EXPECT_EQ(button->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 16);
    EXPECT_EQ(button->GetFormat().FindProperty(u"Format", u"Alignment")->GetInt(), 1);
    EXPECT_EQ(button->GetFormat().FindProperty(u"Format", u"Color")->GetInt(), 0xFFFFFF);
    EXPECT_EQ(button->GetFormat().FindProperty(u"Format", u"Tick alignment"), nullptr);
    // An image has no text at all.
    EXPECT_EQ(CEditorObject::CreateObject(1, &page)->GetFormat().FindCategory(u"Format"), nullptr);
}

TEST(CObjectFactory, ThemeDefaultsFillTheAppearanceOfANewObject)
{
    FakeThemes themes;
    vx::test::FakeTheme& theme = themes.Add(u"Aqua");
    theme.settings[{u"meter", u"Transparency"}] = u"40";
    theme.settings[{u"button", u"Transparency"}] = u"99";   // another type's: not taken
    CSelectable page(kPageObjectType);
    const auto meter = CEditorObject::CreateObject(14, &page);
    ASSERT_EQ(meter->GetStyleName(), u"Aqua");
    EXPECT_EQ(meter->GetAppearanceInt(u"Transparency"), 40);
    EXPECT_EQ(meter->GetRoundness(), 40);
    // No theme of that name: the fallback rounding, defaults untouched.
    themes.themes.clear();
    const auto other = CEditorObject::CreateObject(14, &page);
    EXPECT_EQ(other->GetAppearanceInt(u"Transparency"), 0);
    EXPECT_EQ(other->GetRoundness(), CEditorObject::kDefaultRoundness);
}

TEST(CObjectFactory, ChangingTheStyleTakesTheNewThemesDefaultsAndKeepsTheStyleName)
{
    FakeThemes themes;
    themes.Add(u"Aqua");
    vx::test::FakeTheme& dune = themes.Add(u"Dune");
    dune.settings[{u"meter", u"Transparency"}] = u"12";
    CSelectable page(kPageObjectType);
    const auto meter = CEditorObject::CreateObject(14, &page);
    meter->OnStyleChanged(u"Nowhere");
    EXPECT_EQ(meter->GetStyleName(), u"Aqua");
    meter->OnStyleChanged(u"Dune");
    EXPECT_EQ(meter->GetStyleName(), u"Dune");
    EXPECT_EQ(meter->GetAppearanceInt(u"Transparency"), 12);
    // An unstyled class has no "Style" group and ignores a style.
    const auto image = CEditorObject::CreateObject(1, &page);
    image->OnStyleChanged(u"Dune");
    EXPECT_EQ(image->GetStyleName(), u"");
}

TEST(CObjectFactory, ThemeDefinitionsReplaceTheStyleGroup)
{
    FakeThemes themes;
    themes.Add(u"Aqua");
    themes.Add(u"Own").definitions = u"group,Style,string,Style name,Own,StyleName,Style name,int,Gloss,3,gloss,Gloss,";
    CSelectable page(kPageObjectType);
    const auto meter = CEditorObject::CreateObject(14, &page);
    meter->OnStyleChanged(u"Own");
    ASSERT_NE(meter->GetFormat().FindProperty(u"Style", u"Gloss"), nullptr);
    EXPECT_EQ(meter->GetStyleName(), u"Own");
}

struct InstalledStyleCase {
    const char* name;
    int32_t type;
    std::vector<std::u16string> installed;
    std::u16string expected;
};

class CEditorObjectInstalledStyle : public testing::TestWithParam<InstalledStyleCase> {};

TEST_P(CEditorObjectInstalledStyle, ANewObjectTakesAnInstalledThemeOnlyWhenItsDefaultIsMissing)
{
    FakeThemes themes;
    for (const std::u16string& name : GetParam().installed)
        themes.Add(name);
    CSelectable page(kPageObjectType);
    const auto object = CEditorObject::CreateObject(GetParam().type, &page);
    ASSERT_NE(object, nullptr);
    object->TakeInstalledStyle();
    EXPECT_EQ(object->GetStyleName(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CEditorObjectInstalledStyle,
    testing::Values(InstalledStyleCase{"ButtonDefaultMissing", 17, {u"Timber", u"Alloy"}, u"Alloy"},
                    InstalledStyleCase{"MeterDefaultMissing", 14, {u"Dune"}, u"Dune"},
                    InstalledStyleCase{"DefaultInstalledStays", 17, {u"Alloy", u"Vista-like"}, u"Vista-like"},
                    InstalledStyleCase{"NothingInstalledKeepsTheDefault", 20, {}, u"Aqua"},
                    InstalledStyleCase{"NoStyleGroupStaysWithout", 3, {u"Alloy"}, u""}),
    [](const testing::TestParamInfo<InstalledStyleCase>& info) { return std::string(info.param.name); });

TEST(CEditorObjectClone, AFreshCloneBelongsToNoPageOrEditorUntilAdded)
{
    FakeThemes themes;
    themes.Add(u"Vista-like");
    CSelectable page(kPageObjectType);
    CSelectable otherPage(kPageObjectType);
    CDiagramEntityContainer editor;
    editor.Add(CEditorObject::CreateObject(17, &page));
    auto* source = static_cast<CEditorObject*>(editor.GetAt(0));
    source->SetRect(30, 40, 130, 90);
    source->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"go"));
    source->GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(int32_t(22)));

    std::unique_ptr<CEditorObject> clone = source->CloneObject();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetParent(), nullptr);
    EXPECT_EQ(clone->GetPage(), nullptr);
    EXPECT_EQ(clone->FindProperty(u"none", u"Name")->GetValueText(), u"go");
    EXPECT_EQ(clone->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 22);
    EXPECT_EQ(clone->GetRect().left, 30);
    EXPECT_EQ(clone->GetStyleName(), u"Vista-like");
    // The source may go first; the clone does not notice.
    editor.Clear();
    EXPECT_EQ(clone->GetParent(), nullptr);

    // Added to another page's objects, a clone of the clone stays where it was and
    // belongs to that page.
    CPageObjectContainer target(&otherPage);
    target.Add(clone->CloneObject());
    const auto* added = static_cast<const CEditorObject*>(target.GetAt(0));
    EXPECT_EQ(added->GetRect().left, 30);
    EXPECT_EQ(added->GetRect().top, 40);
    EXPECT_EQ(added->GetParent(), &target);
    EXPECT_EQ(added->GetPage(), &otherPage);
}

} // namespace

namespace {

TEST(CEditorObjectClone, AddedToAPagesContainerTheCloneBelongsToThatPage)
{
    CSelectable first(kPageObjectType);
    CSelectable second(kPageObjectType);
    CPageObjectContainer firstObjects(&first);
    CPageObjectContainer secondObjects(&second);
    firstObjects.Add(CEditorObject::CreateObject(17, &first));
    const auto* source = static_cast<const CEditorObject*>(firstObjects.GetAt(0));

    // The container's own copies (duplicate, undo, clipboard) are detached clones too.
    EXPECT_EQ(firstObjects.Duplicate(firstObjects.GetAt(0)), 1);
    const auto* duplicate = static_cast<const CEditorObject*>(firstObjects.GetAt(1));
    EXPECT_EQ(duplicate->GetPage(), &first);
    EXPECT_EQ(duplicate->GetParent(), &firstObjects);

    secondObjects.Add(source->CloneObject());
    EXPECT_EQ(static_cast<const CEditorObject*>(secondObjects.GetAt(0))->GetPage(), &second);
}

} // namespace
