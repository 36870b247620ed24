#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CSelectable.h"
#include "editor/document/PropertyDefinitionParser.h"
#include "editor/document/PropertyDefinitions.h"

namespace {

std::vector<CPropertyDefinition> parse(std::u16string_view text)
{
    std::vector<CPropertyDefinition> records;
    ParsePropertyDefinitionText(text, records);
    return records;
}

std::string narrow(std::u16string_view text)
{
    return std::string(text.begin(), text.end());
}

// An owner built from its type's row of the definition table, as objects and pages are.
std::unique_ptr<CSelectable> build(int32_t type)
{
    auto owner = std::make_unique<CSelectable>(type);
    owner->InitDefinedProperties();
    return owner;
}

std::string categories(const CPropertyContainer& container)
{
    std::string names;
    for (const auto& category : container.GetCategories())
        names += (names.empty() ? "" : ", ") + narrow(category->GetName());
    return names;
}

} // namespace

TEST(PropertyDefinitionParser, ReadsTheGrammar)
{
    auto records = parse(u"group,Look,s,Caption,*,key,Help,list,Mode,A|B,mode");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (CPropertyDefinition{PropertyKind::Group, u"Look", u"g", u"", u""}));
    EXPECT_EQ(records[1], (CPropertyDefinition{PropertyKind::String, u"Caption", u"key", u"", u"Help"}));
    EXPECT_EQ(records[2], (CPropertyDefinition{PropertyKind::List, u"Mode", u"mode", u"A\u0001B", u""}));

    // Line breaks and tabs separate like commas, and empty fields vanish.
    records = parse(u"group,,G\r\n\tint,Size,5,size,,Pixels,,\nx,Width,7,width,Wide,");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].description, u"Pixels");
    EXPECT_EQ(records[2].kind, PropertyKind::Int); // "x" keeps the previous kind
    EXPECT_EQ(records[2].key, u"width");

    // A record cut short before its key is dropped.
    records = parse(u"group,G,int,Size,5");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(parse(u"").empty());
    EXPECT_TRUE(parse(u",,,\n").empty());
    EXPECT_EQ(parse(u"group").size(), 0u);
}

TEST(PropertyDefinitionParser, KindWordsByFirstCharacter)
{
    struct Case {
        const char16_t* word;
        PropertyKind kind;
    } cases[] = {
        {u"Colors", PropertyKind::Colors},     {u"Messages", PropertyKind::Messages},
        {u"RelFiles", PropertyKind::RelFiles}, {u"bool", PropertyKind::Bool},
        {u"color", PropertyKind::Color},       {u"fixed", PropertyKind::None},
        {u"group", PropertyKind::Group},       {u"int", PropertyKind::Int},
        {u"list", PropertyKind::List},         {u"multiText", PropertyKind::MultiText},
        {u"relFile", PropertyKind::RelFile},   {u"string", PropertyKind::String},
    };
    for (const Case& c : cases) {
        PropertyKind kind = PropertyKind::Group;
        EXPECT_TRUE(PropertyKindFromWord(c.word, kind)) << narrow(c.word);
        EXPECT_EQ(kind, c.kind) << narrow(c.word);
    }
    PropertyKind kind = PropertyKind::Int;
    EXPECT_FALSE(PropertyKindFromWord(u"xyz", kind));
    EXPECT_FALSE(PropertyKindFromWord(u"", kind));
    EXPECT_EQ(kind, PropertyKind::Int);
}

// Every object type's and the page's definition text parses into the categories its
// class declares, with keys that can name XML elements and never repeat.
TEST(PropertyDefinitions, EveryTypeBuildsItsCategories)
{
    const char* expected[] = {
        "",
        "none, Appearance, Position & Size",                                                     // image
        "none, Appearance, Behavior, Data, Position & Size",                                     // text
        "none, Appearance, Data, Scaling, Position & Size",                                      // numericField
        "none, Appearance, Data, Scaling, Navigation, Position & Size",                          // editableNumField
        "none, Appearance, Data, Position & Size",                                               // textField
        "none, Appearance, Data, Navigation, Position & Size",                                   // editableTextField
        "none, Appearance, Data, Position & Size",                                               // dateTimeField
        "none, Appearance, Behavior, Data, Position & Size",                                     // messageField
        "none, Appearance, Behavior, Data, Position & Size",                                     // dynamicImage
        "none, Appearance, Behavior, Data, Position & Size",                                     // indicatorLight
        "none, Appearance, Behavior, Data, Navigation, Position & Size",                         // indicatorButton
        "none, Appearance, Behavior, Data, Ticks & Labels, Scaling, Position & Size",            // imageBar
        "none, Appearance, Behavior, Data, Ticks & Labels, Scaling, Position & Size",            // colorBar
        "none, Appearance, Behavior, Data, Ticks & Labels, Scaling, Position & Size",            // meter
        "none, Appearance, Behavior, Data, Ticks & Labels, Grids, Scaling, Position & Size",     // graph
        "none, Appearance, Behavior, Position & Size",                                           // ticker
        "none, Appearance, Behavior, Data, Navigation, Position & Size",                         // button
        "none, Appearance, Behavior, Data, Ticks & Labels, Scaling, Navigation, Position & Size", // slider
        "none, Appearance, Behavior, Data, Ticks & Labels, Scaling, Navigation, Position & Size", // knob
        "none, Appearance, Behavior, Data, Navigation, Position & Size",                         // listBox
        "none, Appearance, Behavior, Data, Navigation, Position & Size",                         // dynamicListBox
        "none, Behavior, Data, Position & Size",                                                 // window
        "none, Behavior, Data",                                                                  // tagTrigger
        "none, Behavior, Data",                                                                  // timer
        "none, Position & Size", "none, Position & Size", "none, Position & Size",
        "none, Position & Size", "none, Position & Size",                                        // 25 to 29
        "Behavior, Page",                                                                        // page
    };
    for (int32_t type = kFirstObjectType; type <= kPageObjectType; ++type) {
        const auto owner = build(type);
        EXPECT_EQ(categories(owner->GetProperties()), expected[type]) << "type " << type;

        std::set<std::u16string> keys;
        for (const DefinitionList list : {DefinitionList::First, DefinitionList::Second}) {
            for (const CPropertyDefinition& record : owner->GetDefinitions(list)) {
                if (record.kind == PropertyKind::Group)
                    continue;
                const bool identifier = std::all_of(record.key.begin(), record.key.end(), [](char16_t c) {
                    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
                });
                EXPECT_TRUE(identifier) << "type " << type << " key " << narrow(record.key);
                EXPECT_TRUE(keys.insert(record.key).second) << "type " << type << " repeats " << narrow(record.key);
                EXPECT_FALSE(record.description.empty()) << "type " << type << " " << narrow(record.caption);
            }
        }
        const CTypePropertyDefinitions* row = PropertyDefinitions::ForType(type);
        EXPECT_EQ(row->typeIndex, type);
        EXPECT_EQ(owner->GetFormat().FindCategory(u"Style") != nullptr, !row->styleText.empty()) << type;
    }
    EXPECT_EQ(PropertyDefinitions::ForType(0), nullptr);
    EXPECT_EQ(PropertyDefinitions::ForType(31), nullptr);
}

TEST(PropertyDefinitions, SpotChecksOfDeclaredProperties)
{
    struct Case {
        int32_t type;
        const char16_t* category;
        const char16_t* caption;
        PropertyKind kind;
        const char16_t* defaultValue;
    } cases[] = {
        {17, u"Behavior", u"Button type", PropertyKind::List, u"Normal\u0001Toggle"},
        {17, u"none", u"Name", PropertyKind::String, u""},
        {11, u"Behavior", u"Indicator colors", PropertyKind::Colors, u"ffff\u0001ff00\u0001ff\u0001"},
        {13, u"Appearance", u"Gradient colors", PropertyKind::Colors, u"ffff\u0001ff\u0001"},
        {12, u"Appearance", u"Bar fill image", PropertyKind::RelFile, u"%colorbar.jpg"},
        {2, u"Behavior", u"Extra text colors", PropertyKind::Colors, u"\u0001"},
        {2, u"Appearance", u"Text", PropertyKind::MultiText, u"text"},
        {8, u"Behavior", u"Text messages", PropertyKind::Messages, u"message 1\u0001message 2\u0001message 3\u0001"},
        {9, u"Behavior", u"Images", PropertyKind::RelFiles, u"%placeholder.jpg\u0001"},
        {7, u"Appearance", u"DTC format", PropertyKind::List, u"<dtc>"},
        {7, u"Appearance", u"Separator", PropertyKind::String, u":"},
        {21, u"Behavior", u"Text list separator", PropertyKind::String, u"/"},
        {15, u"Ticks & Labels", u"Tick color", PropertyKind::Color, u"8388608"},
        {14, u"Ticks & Labels", u"Tick alignment", PropertyKind::List, u"Inner\u0001Center\u0001Outter"},
        {18, u"Ticks & Labels", u"Tick offset [%]", PropertyKind::Int, u"0"},
        {19, u"Ticks & Labels", u"Tick offset [%]", PropertyKind::Int, u"3"},
        {4, u"Scaling", u"A2", PropertyKind::Int, u"1"},
        {4, u"Navigation", u"Object down", PropertyKind::List, u"<objects>"},
        {24, u"Behavior", u"Mode", PropertyKind::List,
         u"Forward\u0001forward-Stop\u0001Bidirectional\u0001Backward\u0001backward-Stop"},
        {22, u"Behavior", u"Referenced page", PropertyKind::List, u"<pages>"},
        {30, u"Page", u"Page type", PropertyKind::List,
         u"Normal\u0001Initial\u0001Dialog\u0001Window\u0001Global\u0001ScreenSaver"},
        {30, u"Page", u"Background image", PropertyKind::RelFile, u""},
        {27, u"Position & Size", u"Height", PropertyKind::Int, u"0"},
    };
    for (const Case& c : cases) {
        const auto owner = build(c.type);
        const CPropertyBase* found = owner->FindProperty(c.category, c.caption);
        ASSERT_NE(found, nullptr) << c.type << " " << narrow(c.caption);
        EXPECT_EQ(found->GetKind(), c.kind) << c.type << " " << narrow(c.caption);
        EXPECT_EQ(found->GetValueText(), c.defaultValue) << c.type << " " << narrow(c.caption);
        EXPECT_EQ(found->GetOptionsText(), c.defaultValue);
    }
    const auto button = build(17);
    EXPECT_EQ(button->GetFormat().FindProperty(u"Style", u"Style name")->GetValueText(), u"Vista-like");
    EXPECT_EQ(build(10)->GetFormat().FindProperty(u"Style", u"Style name")->GetValueText(), u"Aqua");
    EXPECT_EQ(button->FindProperty(u"Position & Size", u"X")->GetDescription(), u"Horizontal position");
}

TEST(PropertyDefinitions, RepeatedGroupsShareOneCategory)
{
    CSelectable page(kPageObjectType);
    page.ParsePropertyDefinitions(u"group,A,int,One,1,one,One,group,B,int,Two,2,two,Two,group,A,int,Three,3,three,Three,",
                                  DefinitionList::First);
    page.BuildProperties(DefinitionList::First);
    EXPECT_EQ(categories(page.GetProperties()), "A, B");
    const CPropertyCategory* a = page.GetProperties().FindCategory(u"A");
    ASSERT_EQ(a->GetProperties().size(), 2u);
    EXPECT_EQ(a->GetProperties()[1]->GetCaption(), u"Three");
    EXPECT_EQ(a->GetProperties()[0]->GetOwner(), &page);
}

TEST(CObjectTypeTable, MapsTypeNamesToRows)
{
    for (int32_t row = kFirstObjectType; row <= kLastObjectType; ++row)
        EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(CObjectTypeTable::GetTypeName(row), 1), row);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"BUTTON", 1), 17);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"trend", 0), 15);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"trend", 1), 0);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"imageBargraph", 0), 12);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"colorBargraph", 0), 13);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"colorBargraph", 2), 0);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"", 0), 0);
    EXPECT_EQ(CObjectTypeTable::GetObjectTypeIndex(u"buttons", 1), 0);

    EXPECT_EQ(CObjectTypeTable::GetMainTagProperty(12), u"Value tag");
    EXPECT_EQ(CObjectTypeTable::GetMainTagProperty(23), u"Value tag");
    EXPECT_EQ(CObjectTypeTable::GetMainTagProperty(17), u"");
    EXPECT_EQ(CObjectTypeTable::GetMainTagProperty(30), u"");
    EXPECT_EQ(CObjectTypeTable::GetMainTagProperty(31), u"");
    EXPECT_EQ(CObjectTypeTable::GetMainTagProperty(-1), u"");
    EXPECT_EQ(CObjectTypeTable::Rows()[17].commandId, 128);
    EXPECT_EQ(CObjectTypeTable::Rows()[29].icon, 18);

    const auto pageTypes = CObjectTypeTable::PageTypeNames();
    ASSERT_EQ(pageTypes.size(), 10u);
    EXPECT_EQ(std::u16string(pageTypes[3]), u"Global");
    EXPECT_EQ(std::u16string(pageTypes[9]), u"Normal (ScreenSaver)");
}
