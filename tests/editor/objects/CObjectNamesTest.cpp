#include <gtest/gtest.h>

#include <vector>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/objects/CPageObjectContainer.h"

namespace {

constexpr int32_t kButton = 17;

// An editor holding buttons with the given (current, original) names.
struct NamedEditor {
    explicit NamedEditor(std::vector<std::pair<std::u16string, std::u16string>> names)
    {
        for (const auto& [current, original] : names) {
            auto object = CEditorObject::CreateObject(kButton, &page);
            CObjectNames::InitObjectName(*object, original);
            object->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(current));
            editor.Add(std::move(object));
        }
    }
    CSelectable page{kPageObjectType};
    CDiagramEntityContainer editor;
};

struct UniqueNameCase {
    const char* what;
    std::vector<std::pair<std::u16string, std::u16string>> existing;
    std::u16string source;   // empty: no source
    std::u16string expected;
};

TEST(CObjectNames, MakeUniqueNameTable)
{
    const UniqueNameCase cases[] = {
        {"a new object takes the type name and 1", {}, u"", u"button-1"},
        {"taken as a current name", {{u"button-1", u"x"}}, u"", u"button-2"},
        {"taken as an original name", {{u"x", u"button-1"}, {u"button-2", u"y"}}, u"", u"button-3"},
        {"a copy of a plain name", {{u"go", u"go"}}, u"go", u"go-copy-1"},
        {"a copy of a copy keeps one mark", {{u"go-copy-1", u"go-copy-1"}}, u"go-copy-1", u"go-copy-2"},
        {"a mark at the first character is part of the name", {}, u"-copy-a", u"-copy-a-copy-1"},
        {"the cut is at the first mark", {}, u"a-copy-b-copy-3", u"a-copy-1"},
    };
    for (const UniqueNameCase& test : cases) {
        SCOPED_TRACE(test.what);
        NamedEditor named(test.existing);
        auto source = CEditorObject::CreateObject(kButton, &named.page);
        CObjectNames::InitObjectName(*source, test.source);
        auto object = CEditorObject::CreateObject(kButton, &named.page);
        CObjectNames::MakeUniqueName(&named.editor, test.source.empty() ? nullptr : source.get(), *object);
        EXPECT_EQ(CObjectNames::GetName(*object, NameKind::Current), test.expected);
        EXPECT_EQ(CObjectNames::GetName(*object, NameKind::Original), test.expected);
    }
}

TEST(CObjectNames, WithoutASourceANamedObjectKeepsItsName)
{
    NamedEditor named({});
    auto object = CEditorObject::CreateObject(kButton, &named.page);
    CObjectNames::InitObjectName(*object, u"mine");
    CObjectNames::MakeUniqueName(&named.editor, nullptr, *object);
    EXPECT_EQ(CObjectNames::GetName(*object, NameKind::Current), u"mine");
}

// What the user makes on a page gets a name of its own; what a document brings keeps its.
TEST(CObjectNames, InsertedAndPastedObjectsGetNamesOfTheirOwnOnAPage)
{
    CSelectable page{kPageObjectType};
    CPageObjectContainer objects(&page);
    const auto nameAt = [&](int32_t index) {
        return CObjectNames::GetName(*static_cast<CEditorObject*>(objects.GetAt(index)), NameKind::Current);
    };
    objects.AddNew(CEditorObject::CreateObject(kButton, &page));
    objects.AddNew(CEditorObject::CreateObject(kButton, &page));
    EXPECT_EQ(nameAt(0), u"button-1");
    EXPECT_EQ(nameAt(1), u"button-2");

    objects.UnselectAll();
    objects.SelectAt(0, true);
    objects.CopySelected();
    objects.Paste();
    objects.Paste();
    ASSERT_EQ(objects.GetSize(), 4);
    EXPECT_EQ(nameAt(2), u"button-1-copy-1");
    EXPECT_EQ(nameAt(3), u"button-1-copy-2");
    EXPECT_EQ(CObjectNames::GetName(*static_cast<CEditorObject*>(objects.GetAt(3)), NameKind::Original),
              u"button-1-copy-2");

    // Cut and paste moves an object: its name, which references use, stays.
    objects.UnselectAll();
    objects.SelectAt(1, true);
    objects.CopySelected();
    objects.DeleteSelected();
    objects.Paste();
    EXPECT_EQ(nameAt(objects.GetSize() - 1), u"button-2");

    objects.Add(CEditorObject::CreateObject(kButton, &page));
    EXPECT_EQ(nameAt(objects.GetSize() - 1), u"") << "a plain add names nothing";
}

TEST(CObjectNames, NamesConvertBothWaysAndUnknownNamesBecomeEmpty)
{
    NamedEditor named({{u"start", u"button-1"}, {u"stop", u"button-2"}});
    EXPECT_EQ(CObjectNames::FindPageObject(named.editor, u"stop", NameKind::Current),
              named.editor.GetAt(1));
    EXPECT_EQ(CObjectNames::FindPageObject(named.editor, u"stop", NameKind::Original), nullptr);

    std::u16string name = u"start";
    EXPECT_TRUE(CObjectNames::ToOriginalObjectName(named.editor, name));
    EXPECT_EQ(name, u"button-1");
    EXPECT_TRUE(CObjectNames::ToCurrentObjectName(named.editor, name));
    EXPECT_EQ(name, u"start");
    name = u"nobody";
    EXPECT_TRUE(CObjectNames::ToCurrentObjectName(named.editor, name));
    EXPECT_EQ(name, u"");
    EXPECT_FALSE(CObjectNames::ToCurrentObjectName(named.editor, name));
}

} // namespace
