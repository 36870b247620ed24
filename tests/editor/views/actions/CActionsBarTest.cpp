#include <gtest/gtest.h>

#include <QLineEdit>

#include "editor/document/CSysTag.h"
#include "editor/project/document/CProject.h"
#include "foundation/TextHelpers.h"
#include "tests/editor/views/actions/ActionsPaneFixture.h"

namespace {

using vx::test::ActionsPaneFixture;
using vx::test::Qt16;

constexpr int32_t kSleep = 32870;
constexpr int32_t kNextPage = 32878;
constexpr int32_t kGoToPage = 32880;
constexpr int32_t kSetTag = 32881;
constexpr int32_t kIncrementTag = 32882;
constexpr int32_t kDecrementTag = 32883;
constexpr int32_t kCompareTag = 32889;
constexpr int32_t kSetObjectFocus = 32888;
constexpr int32_t kSetStringTag = 32894;

std::u16string entryScript(std::u16string_view trigger, std::u16string_view command, std::u16string_view params)
{
    return u"{\"trigger\":\"" + std::u16string(trigger) + u"\",\"triggerParams\":\"\",\"command\":\"" +
           std::u16string(command) + u"\",\"params\":\"" + std::u16string(params) + u"\"}";
}

std::u16string script(std::initializer_list<std::u16string> entries)
{
    std::u16string text = u"[";
    for (const std::u16string& entry : entries)
        text += (text.size() > 1 ? u"," : u"") + entry;
    return text + u"]";
}

class ActionsBar : public ActionsPaneFixture {
protected:
    int AddTag(std::u16string_view name, std::u16string_view type = u"integer")
    {
        const int row = type == u"integer" ? project->Tags().AddNumericTag() : project->Tags().AddStringTag();
        EXPECT_TRUE(project->Tags().SetName(row, name));
        return row;
    }
    QStringList options(int index)
    {
        QStringList items;
        for (int i = 0; i < box(index)->count(); ++i)
            items << box(index)->itemText(i);
        return items;
    }
};

TEST(ActionsBarDefaults, DefaultTriggerByObjectType)
{
    const std::pair<int32_t, std::u16string_view> cases[] = {
        {11, u"On touch up"},      {17, u"On touch up"},      {18, u"On touch up"},  {21, u"On touch up"},
        {12, u"On high alarm on"}, {15, u"On high alarm on"}, {23, u"On tag change"}, {30, u"On entering page"},
        {2, u""},                  {16, u""},                 {22, u""},              {24, u""},
    };
    for (const auto& [type, trigger] : cases) {
        SCOPED_TRACE(type);
        EXPECT_EQ(CActionsBar::DefaultTrigger(type), trigger);
    }
}

TEST(ActionsBarDefaults, KeyNamesGiveTheirKeyWords)
{
    EXPECT_EQ(CActionsBar::KeyNameToCode(u"Enter"), 13u);
    EXPECT_EQ(CActionsBar::KeyNameToCode(u"Escape"), 27u);
    EXPECT_EQ(CActionsBar::KeyNameToCode(u"Down"), 6u);
    EXPECT_EQ(CActionsBar::KeyNameToCode(u"a"), uint32_t(u'a'));
    EXPECT_EQ(CActionsBar::KeyNameToCode(u""), 0u);
}

TEST_F(ActionsBar, NothingSelectedShowsThePageWithItsDefaultTrigger)
{
    Show(page);
    EXPECT_EQ(bar->GetTarget(), page);
    EXPECT_EQ(bar->GetDefaultTrigger(), u"On entering page");
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(box(i)->isEnabled()) << i;
}

TEST_F(ActionsBar, TwoSelectedObjectsEmptyThePane)
{
    SetScript(*button, script({entryScript(u"On touch up", u"Sleep", u"5")}));
    Show(button);
    ASSERT_EQ(entries().size(), 1u);
    CEditorObject* text = AddObject(kText, u"label");
    const std::array<CSelectable*, 2> both{button, text};
    bar->ShowObjectActions(both);
    EXPECT_FALSE(bar->HasTarget());
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(grid().topLevelItemCount(), 0);
}

TEST_F(ActionsBar, SleepOnAnEmptyScriptShowsAThousandWhenItsBoxIsEmpty)
{
    Show(page);
    bar->InsertAction(kSleep);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].trigger, u"On entering page");
    EXPECT_EQ(entries()[0].action, u"Sleep");
    EXPECT_EQ(entries()[0].parameters, u"1000");
    EXPECT_EQ(prompt(0), "Milliseconds");
    EXPECT_TRUE(box(0)->isEnabled());
    EXPECT_FALSE(box(1)->isEnabled());
    EXPECT_GE(host.counts.modified, 1);

    type(0, "250");
    EXPECT_EQ(entries()[0].parameters, u"250");
    EXPECT_NE(Script(*page).find(u"\"params\" : \"250\""), std::u16string::npos) << wideToUtf8(Script(*page));
    clearBox(0);
    EXPECT_EQ(entries()[0].parameters, u"1000");
    EXPECT_EQ(grid().EntryItem(0)->text(CActionsEditor::ParametersColumn), "1000");
}

TEST_F(ActionsBar, IncrementWithAnUpperLimitAndUnlimited)
{
    AddTag(u"level");
    Show(button);
    bar->InsertAction(kIncrementTag);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].trigger, u"On touch up");
    EXPECT_EQ(prompt(0), "Tag");
    EXPECT_EQ(prompt(1), "Increment step");
    EXPECT_EQ(prompt(2), "Obey upper limit");
    EXPECT_EQ(prompt(3), "Upper limit");
    EXPECT_EQ(options(2), (QStringList{"False", "True"}));
    type(0, "level");
    type(2, "True");
    EXPECT_EQ(entries()[0].parameters, u"level += 1; max = 100");
    type(2, "False");
    EXPECT_EQ(entries()[0].parameters, u"level += 1; unlimited");
}

TEST_F(ActionsBar, TheDecrementOperatorIsStoredAsASoftHyphenAndReadBack)
{
    AddTag(u"level");
    Show(button);
    bar->InsertAction(kDecrementTag);
    type(0, "level");
    type(1, "2");
    const std::u16string shown = u"level \u00AD= 2; unlimited";
    ASSERT_EQ(entries()[0].parameters, shown);
    const std::string stored = wideToUtf8(Script(*button));
    EXPECT_NE(stored.find("level \xC2\xAD= 2; unlimited"), std::string::npos) << stored;
    EXPECT_EQ(stored.find("level -= 2"), std::string::npos);

    Show(page);
    Show(button);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].action, u"Decrement tag");
    EXPECT_EQ(entries()[0].parameters, shown);
    grid().SelectEntry(0);
    EXPECT_EQ(box(0)->currentText(), "level");
    EXPECT_EQ(box(1)->currentText(), "2");
    EXPECT_EQ(box(2)->currentText(), "False");
}

// Where an inserted action goes for each kind of selection.
TEST_F(ActionsBar, InsertActionByWhatIsSelected)
{
    struct Case {
        const char* what;
        std::u16string script;
        std::function<void(CActionsEditor&)> select;
        std::vector<std::pair<std::u16string, std::u16string>> expected;   // trigger, action in row order
        int32_t selected;
    };
    const std::u16string twoGroups =
        script({entryScript(u"On touch up", u"Sleep", u"5"), entryScript(u"On press", u"Else", u"")});
    const Case cases[] = {
        {"a placeholder gives way to the new action",
         script({entryScript(u"On touch up", u"<empty>", u"")}),
         [](CActionsEditor& grid) { grid.SelectEntry(0); },
         {{u"On touch up", u"Go to next page"}},
         0},
        {"a group row takes it at its top",
         twoGroups,
         [](CActionsEditor& grid) { grid.SelectGroup(u"On press"); },
         {{u"On touch up", u"Sleep"}, {u"On press", u"Go to next page"}, {u"On press", u"Else"}},
         1},
        {"an action row takes it after itself, with its trigger",
         twoGroups,
         [](CActionsEditor& grid) { grid.SelectEntry(0); },
         {{u"On touch up", u"Sleep"}, {u"On touch up", u"Go to next page"}, {u"On press", u"Else"}},
         1},
        {"with nothing selected it goes last, with the last trigger",
         twoGroups,
         [](CActionsEditor& grid) { grid.setCurrentItem(nullptr); },
         {{u"On touch up", u"Sleep"}, {u"On press", u"Else"}, {u"On press", u"Go to next page"}},
         2},
        {"an empty script takes the default trigger",
         u"",
         [](CActionsEditor& grid) { grid.setCurrentItem(nullptr); },
         {{u"On touch up", u"Go to next page"}},
         0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        Show(page);
        SetScript(*button, test.script);
        Show(button);
        test.select(grid());
        bar->InsertAction(kNextPage);
        std::vector<std::pair<std::u16string, std::u16string>> rows;
        for (const CActionsGridData& entry : entries())
            rows.emplace_back(entry.trigger, entry.action);
        EXPECT_EQ(rows, test.expected);
        EXPECT_EQ(grid().SelectedEntry(), test.selected);
        EXPECT_TRUE(grid().IsDirty());
    }
}

TEST_F(ActionsBar, ACommandWithoutAnActionInsertsTheFirstRow)
{
    Show(button);
    bar->InsertAction(12345);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].action, u"");
}

TEST_F(ActionsBar, ParametersSurviveAChangeBetweenActionsWithTheSamePrompts)
{
    AddTag(u"level");
    Show(button);
    bar->InsertAction(kSetTag);
    type(0, "level");
    type(1, "5");
    ASSERT_EQ(entries()[0].parameters, u"level = 5");

    bar->InsertAction(kSetStringTag);
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[1].action, u"Set string tag");
    EXPECT_EQ(box(0)->currentText(), "level");
    EXPECT_EQ(entries()[1].parameters, u"level = 5");

    bar->InsertAction(kSleep);
    EXPECT_EQ(box(0)->currentText(), "");
    EXPECT_EQ(entries()[2].parameters, u"1000");
}

TEST_F(ActionsBar, SelectingARowFillsTheBoxesWithoutChangingIt)
{
    SetScript(*button, script({entryScript(u"On touch up", u"Compare tag", u"level >= 3"),
                               entryScript(u"On touch up", u"Else", u"")}));
    AddTag(u"level");
    Show(button);
    const int modified = host.counts.modified;
    grid().SelectEntry(0);
    EXPECT_EQ(prompt(2), "Compare operator");
    EXPECT_EQ(box(0)->currentText(), "level");
    EXPECT_EQ(box(1)->currentText(), "3");
    EXPECT_EQ(box(2)->currentText(), ">=");
    EXPECT_EQ(box(2)->currentIndex(), 2);
    grid().SelectEntry(1);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(box(i)->isEnabled()) << i;
    EXPECT_EQ(host.counts.modified, modified);
    EXPECT_FALSE(grid().IsDirty());
}

TEST_F(ActionsBar, AGroupRowDisablesTheBoxes)
{
    SetScript(*button, script({entryScript(u"On touch up", u"Sleep", u"5")}));
    Show(button);
    grid().SelectEntry(0);
    EXPECT_TRUE(box(0)->isEnabled());
    grid().SelectGroup(u"On touch up");
    EXPECT_FALSE(box(0)->isEnabled());
    EXPECT_EQ(box(0)->currentText(), "");
}

TEST_F(ActionsBar, TagListsFollowTheKindOfTheAction)
{
    AddTag(u"level");
    AddTag(u"name", u"string");
    CEditorObject* meter = AddObject(kMeter, u"dial");
    Show(meter);
    bar->InsertAction(kSetTag);
    EXPECT_EQ(options(0), (QStringList{"<objectTag>", "level"}));
    EXPECT_TRUE(options(1).contains("level"));
    EXPECT_TRUE(options(1).contains(Qt16(CSysTag::GetName(0))));

    bar->InsertAction(kSetStringTag);
    EXPECT_EQ(options(0), (QStringList{"<objectTag>", "name"}));
    EXPECT_FALSE(options(1).contains(Qt16(CSysTag::GetName(0))));

    bar->InsertAction(kCompareTag);
    EXPECT_TRUE(options(0).contains(Qt16(CSysTag::GetName(0))));
    EXPECT_EQ(options(2), (QStringList{"==", "!=", ">=", "<=", ">", "<"}));
}

TEST_F(ActionsBar, PagesAndObjectsOffered)
{
    CPage& global = project->AddPage(int32_t(target::PageType::Global));
    (void)global;
    AddObject(kText, u"label");
    CEditorObject* other = AddObject(kButton, u"stop");
    (void)other;
    Show(button);
    bar->InsertAction(kGoToPage);
    EXPECT_EQ(options(0), (QStringList{Qt16(second->GetName())}));
    bar->InsertAction(kSetObjectFocus);
    EXPECT_EQ(options(0), (QStringList{"stop", "<left>", "<up>", "<right>", "<down>"}));
}

TEST_F(ActionsBar, RenamedReferencesShowCurrentNamesAndStoreOriginalOnes)
{
    const int level = AddTag(u"level");
    const int other = AddTag(u"other");
    CEditorObject* target = AddObject(kButton, u"stop");
    const std::u16string secondOriginal = second->GetOriginalName();
    SetScript(*button, script({entryScript(u"On touch up", u"Set tag", u"level = other"),
                               entryScript(u"On touch up", u"Go to page X", secondOriginal),
                               entryScript(u"On touch up", u"Set focus to object", u"stop"),
                               entryScript(u"On touch up", u"Set focus to object", u"<left>")}));
    ASSERT_TRUE(project->Tags().SetName(level, u"depth"));
    ASSERT_TRUE(project->Tags().SetName(other, u"width"));
    second->SetName(u"Settings");
    target->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"halt"));

    Show(button);
    ASSERT_EQ(entries().size(), 4u);
    EXPECT_EQ(entries()[0].parameters, u"depth = width");
    EXPECT_EQ(entries()[1].parameters, u"Settings");
    EXPECT_EQ(entries()[2].parameters, u"halt");
    EXPECT_EQ(entries()[3].parameters, u"<left>");

    grid().SelectEntry(0);
    EXPECT_EQ(box(0)->currentText(), "depth");
    type(1, "7");
    const std::string stored = wideToUtf8(Script(*button));
    EXPECT_NE(stored.find("\"level = 7\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"" + wideToUtf8(secondOriginal) + "\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"stop\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"<left>\""), std::string::npos) << stored;
    EXPECT_EQ(stored.find("halt"), std::string::npos) << stored;
}

TEST_F(ActionsBar, UnknownNamesKeepTheirText)
{
    SetScript(*button, script({entryScript(u"On wink", u"Fly to the moon", u"fast"),
                               entryScript(u"On touch up", u"Sleep", u"5")}));
    Show(button);
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[0].trigger, u"On wink");
    EXPECT_EQ(entries()[0].action, u"Fly to the moon");
    EXPECT_EQ(entries()[0].parameters, u"fast");
    grid().SelectEntry(1);
    type(0, "6");
    const std::string stored = wideToUtf8(Script(*button));
    EXPECT_NE(stored.find("\"Fly to the moon\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"On wink\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"fast\""), std::string::npos) << stored;
}

TEST_F(ActionsBar, AScriptThatDoesNotParseIsReportedInTheOutputPane)
{
    const std::u16string cases[] = {u"[{\"trigger\":", u"{\"trigger\":\"On touch up\"}"};
    for (const std::u16string& text : cases) {
        SCOPED_TRACE(wideToUtf8(text));
        host.output.lines.clear();
        SetScript(*button, text);
        Show(page);
        Show(button);
        ASSERT_EQ(host.output.lines.size(), 1u);
        const std::u16string& line = host.output.lines[0].text;
        EXPECT_TRUE(line.starts_with(u"Error on edit action: ")) << wideToUtf8(line);
        EXPECT_GT(line.size(), std::u16string_view(u"Error on edit action: ").size());
        EXPECT_TRUE(entries().empty());
        // Nothing is stored over the text that could not be read.
        EXPECT_EQ(Script(*button), text);
    }
}

TEST_F(ActionsBar, AnEmptyScriptIsNoError)
{
    SetScript(*button, u"  ");
    Show(button);
    EXPECT_TRUE(host.output.lines.empty());
    EXPECT_TRUE(bar->HasTarget());
}

TEST_F(ActionsBar, SelectingAnotherItemStoresTheEditedScript)
{
    Show(button);
    bar->InsertAction(kSleep);
    EXPECT_EQ(Script(*button), u"");
    Show(page);
    EXPECT_NE(Script(*button).find(u"Sleep"), std::u16string::npos);
    EXPECT_EQ(Script(*page), u"");
}

TEST_F(ActionsBar, RewriteScriptStoresOriginalNames)
{
    const int level = AddTag(u"level");
    ASSERT_TRUE(project->Tags().SetName(level, u"depth"));
    std::u16string text = script({entryScript(u"On touch up", u"Set tag", u"depth = 1")});
    EXPECT_EQ(bar->RewriteScript(text), 1);
    EXPECT_NE(text.find(u"\"level = 1\""), std::u16string::npos) << wideToUtf8(text);
    EXPECT_EQ(bar->RewriteScript(text), 0);
    std::u16string broken = u"[{";
    EXPECT_EQ(bar->RewriteScript(broken), 0);
    EXPECT_EQ(broken, u"[{");
}

// The pane never follows an item that went away.
TEST_F(ActionsBar, AnItemThatGoesIsDropped)
{
    CEditorObject* stop = AddObject(kButton, u"stop");
    Show(stop);
    bar->InsertAction(kSleep);
    editor.Remove(stop);
    EXPECT_FALSE(bar->HasTarget());
    bar->StoreScript();
    bar->InsertAction(kSleep);
    grid().OnAddTrigger();
    EXPECT_EQ(grid().CreateContextMenu({1, 1}), nullptr);
    Show(page);
    EXPECT_EQ(bar->GetTarget(), page);
}

TEST_F(ActionsBar, ToldOfGoingItemsOrProjectThePaneEmpties)
{
    Show(button);
    bar->InsertAction(kSleep);
    bar->OnSelectableGoing(*second);
    EXPECT_TRUE(bar->HasTarget());
    bar->OnSelectableGoing(*page);
    EXPECT_FALSE(bar->HasTarget());
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(Script(*button), u"");
    Show(button);
    bar->OnSelectableGoing(*button);
    EXPECT_FALSE(bar->HasTarget());

    Show(page);
    bar->InsertAction(kSleep);
    page->SetEditor(nullptr);
    host.MakeProject();   // the old project and its pages are gone
    EXPECT_FALSE(bar->HasTarget());
    bar->StoreScript();
    bar->ForgetProject();
    EXPECT_EQ(grid().topLevelItemCount(), 0);
    EXPECT_FALSE(box(0)->isEnabled());
    page = nullptr;
}

} // namespace
