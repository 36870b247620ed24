#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CPropertyContainer.h"
#include "editor/document/CPropertySelectedList.h"
#include "editor/document/CSelectable.h"
#include "tests/support/editor/MarkedProject.h"

namespace {

// A page-like owner open in an editor whose container records the snapshots.
class OpenOwner : public CSelectable {
public:
    explicit OpenOwner(CDiagramEntityContainer* editor) : CSelectable(30), m_editor(editor) {}
    CDiagramEntityContainer* GetOwnerEditor() const override { return m_editor; }

private:
    CDiagramEntityContainer* m_editor;
};

std::unique_ptr<CPropertyBase> property(CSelectable* owner, PropertyKind kind, std::u16string_view caption,
                                        std::u16string_view value)
{
    return std::make_unique<CPropertyBase>(owner, kind, caption, value, u"");
}

// One category "Appearance" holding the given captions and values.
void fillAppearance(CPropertyContainer& container, CSelectable* owner,
                    std::initializer_list<std::pair<const char16_t*, const char16_t*>> values)
{
    CPropertyCategory* category = container.AddCategory(CPropertyCategory::Create(u"Appearance"));
    for (const auto& [caption, value] : values)
        category->Add(property(owner, PropertyKind::String, caption, value));
}

} // namespace

TEST(CPropertyBase, GettersByKind)
{
    struct Case {
        const char16_t* value;
        int32_t asInt;
        uint32_t asUInt;
        bool asBool;
    } cases[] = {
        {u"", 0, 0, false},        {u"0", 0, 0, false},         {u"12", 12, 12, true},
        {u"-7", -7, 0, true},      {u"FALSE", 0, 0, false},     {u"True", 0, 0, true},
        {u"2.5", 2, 2, true},      {u"3.5", 4, 4, true},        {u"abc", 0, 0, false},
        {u" 42 ", 42, 42, true},   {u"16776960", 16776960, 16776960, true},
        {u"99999999999", 2147483647, 4294967295u, true},
    };
    for (const Case& c : cases) {
        CPropertyBase p(nullptr, PropertyKind::Int, u"v", c.value, u"");
        EXPECT_EQ(p.GetInt(), c.asInt) << std::string(c.value, c.value + std::u16string_view(c.value).size());
        EXPECT_EQ(p.GetUInt(), c.asUInt);
        EXPECT_EQ(p.GetBool(), c.asBool);
    }
    CPropertyBase typed(nullptr, PropertyKind::Bool, u"b", u"", u"");
    typed.SetValue(CPropertyValue(true));
    EXPECT_EQ(typed.GetValueText(), u"true");
    EXPECT_TRUE(typed.GetBool());
    typed.SetValue(CPropertyValue(uint32_t(4000000000u)));
    EXPECT_EQ(typed.GetValueText(), u"4000000000");
    EXPECT_EQ(typed.GetUInt(), 4000000000u);
}

TEST(CPropertyBase, ListValueIsTheFirstChoice)
{
    CPropertyBase list(nullptr, PropertyKind::List, u"Button type", u"Normal\u0001Toggle", u"");
    EXPECT_EQ(list.GetListValue(), u"Normal");
    EXPECT_EQ(list.GetOptionsText(), u"Normal\u0001Toggle");
    list.SetValue(CPropertyValue(u"Toggle"));
    EXPECT_EQ(list.GetListValue(), u"Toggle");
    CPropertyBase tags(nullptr, PropertyKind::List, u"Value tag", u"<tags>", u"");
    EXPECT_EQ(tags.GetListValue(), u"");
}

TEST(CPropertyValue, ComparesAsText)
{
    EXPECT_EQ(CompareValueTexts(u"", u""), 0);
    EXPECT_LT(CompareValueTexts(u"", u"a"), 0);
    EXPECT_LT(CompareValueTexts(u"ab", u"abc"), 0);
    EXPECT_GT(CompareValueTexts(u"b", u"abc"), 0);
    EXPECT_LT(CompareValueTexts(u"B", u"a"), 0); // unit by unit, case counts
    EXPECT_EQ(CompareValueTexts(CPropertyValue(int32_t(5)).Text(), u"5"), 0);
}

TEST(CPropertyContainer, SettingRecordsAnUndoLabelOnlyOnChange)
{
    vx::test::MarkedProject host;
    CDiagramEntityContainer editor;
    OpenOwner owner(&editor);
    CPropertyContainer& container = owner.GetProperties();
    fillAppearance(container, &owner, {{u"Transparency", u"0"}, {u"Text", u"old"}});

    EXPECT_FALSE(container.SetPropertyValue(u"Appearance", u"Transparency", CPropertyValue(int32_t(0))));
    EXPECT_FALSE(host.Marked());
    EXPECT_FALSE(editor.CanUndo());

    EXPECT_TRUE(container.SetPropertyValue(u"Appearance", u"Transparency", CPropertyValue(int32_t(128))));
    EXPECT_TRUE(host.Marked());
    ASSERT_EQ(editor.GetUndoStack().size(), 1u);
    EXPECT_EQ(editor.GetUndoStack().back()->label, u"Transparency = 128");
    EXPECT_EQ(container.FindProperty(u"Appearance", u"Transparency")->GetInt(), 128);

    EXPECT_TRUE(container.SetPropertyValue(u"Appearance", u"Text", CPropertyValue(u"new")));
    EXPECT_TRUE(host.Marked()) << "every change, not only the first";
    EXPECT_EQ(editor.GetUndoStack().back()->label, u"Text = new");
    EXPECT_FALSE(container.SetPropertyValue(u"Appearance", u"Missing", CPropertyValue(u"x")));
    EXPECT_FALSE(container.SetPropertyValue(u"Nowhere", u"Text", CPropertyValue(u"x")));

    EXPECT_TRUE(container.ValueDiffers(u"Appearance", u"Text", u"other"));
    EXPECT_FALSE(container.ValueDiffers(u"Appearance", u"Text", u"new"));
    EXPECT_FALSE(container.ValueDiffers(u"Appearance", u"Missing", u"x"));

    // Closed (no editor): stored and marked, but no snapshot anywhere.
    OpenOwner closed(nullptr);
    fillAppearance(closed.GetProperties(), &closed, {{u"Text", u"a"}});
    EXPECT_TRUE(closed.GetProperties().SetPropertyValue(u"Appearance", u"Text", CPropertyValue(u"b")));
    EXPECT_TRUE(host.Marked());
}

TEST(CPropertyContainer, JoinsValuesTagsAndStyle)
{
    CPropertyContainer container;
    CPropertyCategory* data = container.AddCategory(CPropertyCategory::Create(u"Data"));
    data->Add(std::make_unique<CPropertyBase>(nullptr, PropertyKind::List, u"Value tag", u"<tags>", u""));
    data->Add(std::make_unique<CPropertyBase>(nullptr, PropertyKind::List, u"Hide tag", u"<tags>", u""));
    data->Add(std::make_unique<CPropertyBase>(nullptr, PropertyKind::Int, u"Other", u"7", u""));
    data->FindProperty(u"Value tag")->SetValue(CPropertyValue(u"motor"));
    data->FindProperty(u"Hide tag")->SetValue(CPropertyValue(u""));
    EXPECT_EQ(container.GetTagList(), u"motor\u0001\u0001");
    EXPECT_EQ(data->JoinValues(), u"motor\u0001\u00017\u0001");

    EXPECT_EQ(container.GetStyle(), u"");
    CPropertyCategory* style = container.AddCategory(CPropertyCategory::Create(u"Style"));
    style->Add(property(nullptr, PropertyKind::String, u"Style name", u"Aqua"));
    style->Add(property(nullptr, PropertyKind::String, u"Thumb", u"t.png"));
    EXPECT_EQ(container.GetStyle(), u"Aqua\u0001t.png\u0001");
    container.RemoveStyle();
    EXPECT_EQ(container.FindCategory(u"Style"), nullptr);
    EXPECT_NE(container.FindCategory(u"Data"), nullptr);
}

TEST(CPropertyContainer, CopiesValuesPositionByPosition)
{
    CPropertyContainer source;
    CPropertyContainer target;
    fillAppearance(source, nullptr, {{u"A", u"1"}, {u"B", u"2"}});
    fillAppearance(target, nullptr, {{u"A", u"x"}, {u"B", u"y"}, {u"C", u"z"}});
    target.CopyValuesFrom(source);
    EXPECT_EQ(target.FindProperty(u"Appearance", u"A")->GetValueText(), u"1");
    EXPECT_EQ(target.FindProperty(u"Appearance", u"B")->GetValueText(), u"2");
    EXPECT_EQ(target.FindProperty(u"Appearance", u"C")->GetValueText(), u"z");
}

TEST(CPropertySelectedList, MergesOverASelection)
{
    struct Item {
        bool has;
        const char16_t* value;
    };
    struct Case {
        std::vector<Item> items;
        MergeState expected;
        const char16_t* value;
    } cases[] = {
        {{{true, u"5"}, {true, u"5"}, {true, u"5"}}, MergeState::Equal, u"5"},
        {{{true, u"5"}, {true, u"6"}, {true, u"5"}}, MergeState::Differs, u"5"},
        {{{true, u"5"}, {false, u""}, {true, u"5"}}, MergeState::Missing, u"5"},
        {{{true, u"5"}, {true, u"6"}, {false, u""}}, MergeState::Missing, u"5"},
        {{{false, u""}, {true, u"6"}, {true, u"6"}}, MergeState::Missing, u""},
        {{}, MergeState::Nothing, u""},
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<CPropertyContainer>> containers;
        CPropertySelectedList merged;
        for (const Item& item : c.items) {
            auto container = std::make_unique<CPropertyContainer>();
            if (item.has)
                fillAppearance(*container, nullptr, {{u"Size", item.value}});
            merged.Merge(container.get(), u"Appearance", u"Size");
            containers.push_back(std::move(container));
        }
        EXPECT_EQ(merged.GetMergeState(), c.expected) << int(&c - cases);
        EXPECT_EQ(merged.GetValueText(), c.value) << int(&c - cases);
        EXPECT_EQ(merged.IsMixed(), c.expected == MergeState::Differs);
    }
    CPropertySelectedList merged;
    merged.Merge(nullptr, u"Appearance", u"Size");
    EXPECT_EQ(merged.GetMergeState(), MergeState::Missing);
}

TEST(CPropertySelectedList, KnowsItsSelection)
{
    CSelectable a(1), b(2), c(3);
    std::vector<CSelectable*> selection{&a, &b};
    CPropertySelectedList merged(selection);
    EXPECT_TRUE(merged.IsSameSelection(selection));
    std::vector<CSelectable*> reversed{&b, &a};
    EXPECT_FALSE(merged.IsSameSelection(reversed));
    std::vector<CSelectable*> longer{&a, &b, &c};
    EXPECT_FALSE(merged.IsSameSelection(longer));
}
