#include <gtest/gtest.h>

#include <string>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CPropertyBase.h"
#include "editor/document/CPropertyCategory.h"
#include "editor/document/CTagsModel.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/page/CPage.h"
#include "editor/project/page/CPageObserver.h"
#include "foundation/xml/DXMLElement.h"
#include "tests/editor/project/page/PageHarness.h"

namespace {

using vx::test::PageList;

constexpr int32_t kButton = 17;
constexpr int32_t kImage = 1;

std::u16string objectName(const CEditorObject& object, NameKind kind = NameKind::Current)
{
    return CObjectNames::GetName(object, kind);
}

CEditorObject& addObject(CPage& page, int32_t type, std::u16string_view name = {})
{
    auto object = CEditorObject::CreateObject(type, &page);
    if (!name.empty())
        CObjectNames::InitObjectName(*object, name);
    return page.AddObject(std::move(object));
}

void setPageProperty(CPage& page, std::u16string_view caption, std::u16string_view value)
{
    page.FindProperty(CPage::kPageGroup, caption)->SetValue(CPropertyValue(value));
}

TEST(CPage, PageTypeIsTheIndexOfItsNameAndOneForAnyOtherText)
{
    const struct {
        std::u16string_view text;
        int32_t type;
    } cases[] = {
        {u"Normal", 1},   {u"Initial", 2},          {u"Global", 3},  {u"ScreenSaver", 4},
        {u"Dialog", 5},   {u"Window", 6},           {u"Normal (Initial)", 7},
        {u"Normal (ScreenSaver)", 9}, {u"Invalid", 1}, {u"global", 1}, {u"", 1},
    };
    CPage page;
    EXPECT_EQ(page.GetPageType(), 1);   // the list's first choice
    for (const auto& c : cases) {
        setPageProperty(page, CPage::kPageType, c.text);
        EXPECT_EQ(page.GetPageType(), c.type) << std::string(c.text.begin(), c.text.end());
    }
    page.SetPageType(8);
    EXPECT_EQ(page.FindProperty(CPage::kPageGroup, CPage::kPageType)->GetValueText(), u"Normal (Global)");
    page.SetPageType(12);   // no such type: unchanged
    EXPECT_EQ(page.GetPageType(), 8);
}

TEST(CPage, BackgroundTransparencyIsClampedBothWhenSetAndWhenRead)
{
    CPage page;
    page.SetBackgroundTransparency(300);
    EXPECT_EQ(page.FindProperty(CPage::kPageGroup, CPage::kBackgroundTransparency)->GetInt(), 255);
    page.SetBackgroundTransparency(-4);
    EXPECT_EQ(page.GetBackgroundTransparency(), 0);
    setPageProperty(page, CPage::kBackgroundTransparency, u"-20");   // as a document may hold it
    EXPECT_EQ(page.GetBackgroundTransparency(), 0);
    setPageProperty(page, CPage::kBackgroundTransparency, u"");
    EXPECT_EQ(page.GetBackgroundTransparency(), 0);
}

TEST(CPage, UnnamedObjectsTakeTheFirstFreeNumberOfTheirType)
{
    CPage page;
    addObject(page, kButton);
    CEditorObject& second = addObject(page, kButton);
    addObject(page, kButton);
    EXPECT_EQ(objectName(*page.GetObjects()[0]), u"button-1");
    EXPECT_EQ(objectName(second), u"button-2");
    EXPECT_EQ(objectName(second, NameKind::Original), u"button-2");
    EXPECT_EQ(objectName(*page.GetObjects()[2]), u"button-3");

    // Delete button-2 by rebuilding the list without it; the next one gets its number.
    CPage other;
    for (const auto& object : page.GetObjects())
        if (objectName(*object) != u"button-2")
            other.AddObject(object->CloneObject());
    addObject(other, kButton);
    EXPECT_EQ(objectName(*other.GetObjects()[2]), u"button-2");
    // A named object keeps its name.
    EXPECT_EQ(objectName(addObject(other, kButton, u"go")), u"go");
}

TEST(CPage, ObjectsAreFoundByNameAndByOriginalNameAsTargetIndex)
{
    CPage page;
    addObject(page, kButton, u"a");
    addObject(page, kButton, u"b");
    CEditorObject& third = addObject(page, kButton, u"c");
    third.FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"renamed"));

    EXPECT_EQ(page.FindObjectByName(u"a"), 0);
    EXPECT_EQ(page.FindObjectByName(u"renamed"), 2);
    EXPECT_EQ(page.FindObjectByName(u"c"), -1);         // not a current name any more
    EXPECT_EQ(page.FindObjectByName(u"page"), 3);       // the background record
    EXPECT_EQ(page.FindObjectByName(u""), -1);
    EXPECT_EQ(page.GetTargetObjectIndex(u"a"), 2);      // written last of three
    EXPECT_EQ(page.GetTargetObjectIndex(u"c"), 0);
    EXPECT_EQ(page.GetTargetObjectIndex(u"renamed"), -1);
    EXPECT_EQ(page.GetTargetObjectIndex(u""), -1);
}

TEST(CPage, WritesAndReadsBackItsPropertiesAndObjectsInOrder)
{
    PageList project;
    CPage page;
    page.SetName(u"Main/1");
    page.SetOriginalName(u"First & <main>");
    page.SetPageType(2);
    page.SetBackgroundColor(0x336699);
    page.SetBackgroundTransparency(40);
    page.SetBackgroundImage(u"pictures/back.png");
    addObject(page, kButton, u"ok");
    addObject(page, kImage);
    setPageProperty(page, CPage::kInitialFocus, u"ok");

    DXMLElement root(u"project");
    page.WriteXml(root);
    const DXMLElement* element = root.getChild(u"page");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->children()[0]->name(), u"name");
    EXPECT_EQ(element->children()[1]->name(), u"originalName");
    EXPECT_EQ(element->getChildCount(u"object"), 2);
    // The text passes through the document's own writer and parser.
    std::string text;
    root.write(text);

    CPage read;
    ASSERT_EQ(read.ReadXml(*element, project), PageReadStatus::Ok);
    ASSERT_EQ(read.ReadObjects(2), PageReadStatus::Ok);
    EXPECT_EQ(read.GetName(), u"Main/1");
    EXPECT_EQ(read.GetOriginalName(), u"First & <main>");
    EXPECT_TRUE(read.GetPendingName().empty());
    EXPECT_EQ(read.GetPageType(), 2);
    EXPECT_EQ(read.GetBackgroundColor(), 0x336699u);
    EXPECT_EQ(read.GetBackgroundTransparency(), 40);
    EXPECT_EQ(read.GetBackgroundImage(), u"pictures/back.png");
    EXPECT_EQ(read.FindProperty(CPage::kPageGroup, CPage::kInitialFocus)->GetListValue(), u"ok");
    ASSERT_EQ(read.GetObjectCount(), 2);
    EXPECT_EQ(read.GetObjects()[0]->GetObjectTypeIndex(), kButton);
    EXPECT_EQ(objectName(*read.GetObjects()[0]), u"ok");
    EXPECT_EQ(read.GetObjects()[1]->GetObjectTypeIndex(), kImage);
    EXPECT_EQ(objectName(*read.GetObjects()[1]), objectName(*page.GetObjects()[1]));
    EXPECT_EQ(read.GetObjects()[0]->GetPage(), &read);
}

DXMLElement& pageElement(DXMLElement& root, std::u16string_view name)
{
    DXMLElement& element = *root.addChild(u"page");
    if (!name.empty())
        element.addChild(u"name")->setText(name);
    return element;
}

TEST(CPage, AMissingNameOrObjectTypeOrAnUnknownTypeFailsTheRead)
{
    PageList project;
    DXMLElement root(u"project");
    CPage page;
    EXPECT_EQ(page.ReadXml(pageElement(root, {}), project), PageReadStatus::MissingName);
    EXPECT_EQ(page.ReadObjects(2), PageReadStatus::NoElement);

    const struct {
        const char* what;
        std::u16string_view type;   // empty: no "type" child
        PageReadStatus status;
    } cases[] = {
        {"no type", {}, PageReadStatus::MissingObjectType},
        {"a type no class serves", u"semaphore", PageReadStatus::UnknownObjectType},
        {"no such type", u"gadget", PageReadStatus::UnknownObjectType},
        {"a known type", u"button", PageReadStatus::Ok},
    };
    for (const auto& c : cases) {
        DXMLElement& element = pageElement(root, u"P");
        DXMLElement* object = element.addChild(u"object");
        if (!c.type.empty())
            object->addChild(u"type")->setText(c.type);
        CPage read;
        ASSERT_EQ(read.ReadXml(element, project), PageReadStatus::Ok) << c.what;
        EXPECT_EQ(read.ReadObjects(2), c.status) << c.what;
    }
}

TEST(CPage, OriginalNameDefaultsToTheNameAndOlderDocumentsKeepTransparencyInInt)
{
    PageList project;
    DXMLElement root(u"project");
    DXMLElement& element = pageElement(root, u"Alarms");
    element.addChild(u"int")->setText(u"77");
    element.addChild(u"object")->addChild(u"type")->setText(u"trend");   // the former name of the graph
    CPage page;
    ASSERT_EQ(page.ReadXml(element, project), PageReadStatus::Ok);
    ASSERT_EQ(page.ReadObjects(0), PageReadStatus::Ok);
    EXPECT_EQ(page.GetOriginalName(), u"Alarms");
    EXPECT_EQ(page.GetBackgroundTransparency(), 77);
    ASSERT_EQ(page.GetObjectCount(), 1);
    EXPECT_EQ(page.GetObjects()[0]->GetObjectTypeIndex(), 15);
}

TEST(CPage, AnImportedPageWithATakenNameIsRenamedAndKeepsItsNewNameAsPending)
{
    PageList project;
    project.Add(u"Main");
    DXMLElement root(u"project");
    DXMLElement& clash = pageElement(root, u"Main");
    DXMLElement& fresh = pageElement(root, u"Other");
    fresh.addChild(u"originalName")->setText(u"Main");

    CPage renamed;
    ASSERT_EQ(renamed.ReadXml(clash, project), PageReadStatus::Ok);
    EXPECT_EQ(renamed.GetName(), u"Main 2");
    EXPECT_EQ(renamed.GetOriginalName(), u"Main");
    EXPECT_EQ(renamed.GetPendingName(), u"Main 2");
    renamed.CommitPendingName();
    EXPECT_EQ(renamed.GetOriginalName(), u"Main 2");
    EXPECT_TRUE(renamed.GetPendingName().empty());

    CPage kept;
    ASSERT_EQ(kept.ReadXml(fresh, project), PageReadStatus::Ok);
    EXPECT_EQ(kept.GetName(), u"Other");
    EXPECT_EQ(kept.GetPendingName(), u"Other");   // references to "Main" move to it after the import
}

TEST(CPage, CopyFromTakesAUniqueNameTheSettingsAndClonesOfTheObjects)
{
    PageList project;
    CPage& source = project.Add(u"Main");
    source.SetPageType(5);
    source.SetBackgroundColor(0x123456);
    source.SetBackgroundTransparency(9);
    source.SetBackgroundImage(u"%placeholder.jpg");
    addObject(source, kButton, u"ok");

    CPage copy;
    copy.CopyFrom(source, project);
    EXPECT_EQ(copy.GetName(), u"Main 2");
    EXPECT_EQ(copy.GetPageType(), 5);
    EXPECT_EQ(copy.GetBackgroundColor(), 0x123456u);
    EXPECT_EQ(copy.GetBackgroundTransparency(), 9);
    EXPECT_EQ(copy.GetBackgroundImage(), u"%placeholder.jpg");
    ASSERT_EQ(copy.GetObjectCount(), 1);
    EXPECT_NE(copy.GetObjects()[0].get(), source.GetObjects()[0].get());
    EXPECT_EQ(objectName(*copy.GetObjects()[0]), u"ok");
    EXPECT_EQ(copy.GetObjects()[0]->GetPage(), &copy);
}

TEST(CPage, ImportedObjectsAreScaledToTheCurrentPageSize)
{
    CPage page;
    CEditorObject& object = addObject(page, kButton, u"ok");
    object.SetRect(80, 60, 160, 120);
    page.ScaleObjects(800, 480, 400, 960);
    EXPECT_EQ(object.GetLeft(), 40);
    EXPECT_EQ(object.GetTop(), 120);
    EXPECT_EQ(object.GetRight(), 80);
    EXPECT_EQ(object.GetBottom(), 240);
    page.ScaleObjects(0, 480, 400, 960);   // no size to scale from
    EXPECT_EQ(object.GetRight(), 80);
}

TEST(CPage, RegisteringTagsCreatesTheTagsItsObjectsNameOnce)
{
    CPage page;
    CEditorObject& first = addObject(page, kButton);
    CEditorObject& second = addObject(page, kButton);
    for (CEditorObject* object : {&first, &second})
        for (const auto& category : object->GetProperties().GetCategories())
            for (const auto& property : category->GetProperties())
                if (property->GetOptionsText() == u"<tags>")
                    property->SetValue(CPropertyValue(u"Level"));
    CTagsModel tags;
    EXPECT_EQ(page.RegisterTags(tags), 1);
    EXPECT_TRUE(tags.HasTag(u"Level"));
    EXPECT_EQ(page.RegisterTags(tags), 0);
}

struct BackgroundListener : CPageObserver {
    void OnBackgroundChanged(const CPage& page) override { changes.push_back(page.GetBackgroundColor()); }
    std::vector<uint32_t> changes;
};

TEST(CPage, AnOpenEditorIsTheLiveListAndHearsOfBackgroundChanges)
{
    CPage page;
    addObject(page, kButton, u"stored");
    CDiagramEntityContainer editor;
    BackgroundListener listener;
    page.SetBackgroundColor(1);   // closed: nobody to tell
    page.SetEditor(&editor, &listener);
    auto shown = CEditorObject::CreateObject(kButton, &page);
    CObjectNames::InitObjectName(*shown, u"unsaved");
    editor.Add(std::move(shown));
    page.SetBackgroundColor(2);
    EXPECT_EQ(listener.changes, std::vector<uint32_t>{2});

    DXMLElement root(u"project");
    page.WriteXml(root);
    const DXMLElement* written = root.getChild(u"page");
    ASSERT_EQ(written->getChildCount(u"object"), 1);
    EXPECT_EQ(written->getChild(u"object")->getChild(u"objectName")->getText(), u"unsaved");
    ASSERT_EQ(page.GetObjectCount(), 1);
    EXPECT_EQ(page.GetObjects()[0]->GetPage(), &page);

    page.SetEditor(nullptr);
    page.SetBackgroundColor(3);
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(page.GetOwnerEditor(), nullptr);
}

} // namespace
