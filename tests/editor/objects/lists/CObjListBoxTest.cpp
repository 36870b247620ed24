#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/objects/CStyles.h"
#include "editor/objects/lists/CObjListBox.h"
#include "editor/objects/shared/CItemFrames.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetTag.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/xml/DXMLElement.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/BuiltStyles.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/editor/objects/images/CompiledRecord.h"

namespace {

using target::ElementKind;
using vx::test::FakeTheme;
using vx::test::FakeThemes;
using vx::test::ObjectCompileHarness;
using Compiled = vx::test::CompiledRecord;

constexpr auto compile = vx::test::CompileRecord;
constexpr auto joined = vx::test::Joined;
constexpr auto header = vx::test::RecordHeaderWords;

constexpr uint32_t kFocusable = target::kElementFlagVisible | target::kElementFlagTouchable;

// A theme that remembers the frames it was asked for.
class RecordingTheme : public FakeTheme {
public:
    using FakeTheme::FakeTheme;
    struct Call {
        gfx::Rect rect;
        int32_t shape;
        int32_t partCode;
        int32_t transparency;
    };
    int32_t DrawObject(const gfx::PixelBuffer& target, const gfx::Rect& rect, int32_t shape, int32_t partCode,
                       int32_t transparency) override
    {
        calls.push_back({rect, shape, partCode, transparency});
        // Each state its own shade, so the pictures differ.
        frame = 0xFF000000u | uint32_t(partCode) << 8;
        return FakeTheme::DrawObject(target, rect, shape, partCode, transparency);
    }
    std::vector<Call> calls;
};

struct ListBoxTest : ::testing::Test {
    ListBoxTest()
    {
        auto recording = std::make_unique<RecordingTheme>(u"Aqua");
        theme = recording.get();
        themes.themes[u"Aqua"] = std::move(recording);
        harness.scope.page = &page;
    }

    std::unique_ptr<CObjListBox> make(int32_t type)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        std::unique_ptr<CObjListBox> list(dynamic_cast<CObjListBox*>(object.release()));
        EXPECT_NE(list, nullptr);
        list->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"list"));
        list->SetRect(10, 20, 110, 140);   // 100 by 120: items of 120 / 8 = 15
        return list;
    }

    FakeThemes themes;
    RecordingTheme* theme = nullptr;
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

void set(CEditorObject& object, std::u16string_view category, std::u16string_view caption, std::u16string_view value)
{
    object.FindProperty(category, caption)->SetValue(CPropertyValue(value));
}

std::vector<uint32_t> element(ElementKind kind, uint32_t flags)
{
    return vx::test::ElementWords(kind, 10, 20, 110, 140, flags);
}

// The list element of the defaults: scrolling, 10 items of 15, on touch, slowing down.
std::vector<uint32_t> listElement(uint32_t flags)
{
    return joined({element(ElementKind::ScrollingList, flags),
                   {target::ScrollingWords::kModeScrolling, 10, 15, uint32_t(-1), 1}});
}

TEST_F(ListBoxTest, AnswersByType)
{
    const auto fixed = make(20);
    const auto dynamic = make(21);
    EXPECT_TRUE(fixed->HasMultiLineText());
    EXPECT_FALSE(dynamic->HasMultiLineText());
    EXPECT_FALSE(fixed->IsStringTagProperty(u"Text list tag"));
    EXPECT_TRUE(dynamic->IsStringTagProperty(u"Text list tag"));
    EXPECT_FALSE(dynamic->IsStringTagProperty(u"Value tag"));
    for (const CObjListBox* list : {fixed.get(), dynamic.get()}) {
        EXPECT_TRUE(list->IsWritableTagProperty(u"Value tag"));
        EXPECT_FALSE(list->IsWritableTagProperty(u"Text list tag"));
        EXPECT_TRUE(list->IsFocusable());
        EXPECT_FALSE(list->IsInvisible());
        EXPECT_NE(list->GetProperties().FindCategory(u"Navigation"), nullptr);
        EXPECT_EQ(list->GetStyleName(), u"Aqua");
        EXPECT_EQ(list->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 13);
        EXPECT_EQ(list->GetFormat().FindProperty(u"Format", u"Alignment")->GetInt(), 1);
    }
    EXPECT_EQ(fixed->FindProperty(u"Behavior", u"Item titles")->GetValueText(), u"item 1\x01item 2\x01item 3\x01");
}

TEST_F(ListBoxTest, ItemHeightByVisibleItemsOrByItsOwnHeightBetweenFiveAndTheObject)
{
    struct Case {
        std::u16string_view form;
        std::u16string_view visible;
        std::u16string_view height;
        int32_t objectHeight;
        int32_t expected;
    };
    const Case cases[] = {
        {u"By visible items", u"8", u"30", 240, 30},
        {u"By visible items", u"7", u"30", 240, 34},
        {u"By visible items", u"0", u"30", 240, 240},   // not above 0 counts one
        {u"By visible items", u"", u"30", 240, 240},
        {u"By visible items", u"100", u"30", 240, 5},
        {u"By item height", u"8", u"30", 240, 30},
        {u"By item height", u"8", u"500", 240, 240},
        {u"By item height", u"8", u"2", 240, 5},
        {u"By item height", u"8", u"", 240, 5},
        {u"By item height", u"8", u"30", 4, 5},         // a small object still gets five
        {u"By visible items", u"8", u"30", 4, 5},
    };
    const auto list = make(20);
    for (const Case& c : cases) {
        SCOPED_TRACE(wideToUtf8(c.form) + " " + wideToUtf8(c.visible) + " " + wideToUtf8(c.height));
        set(*list, u"Appearance", u"Item size form", c.form);
        set(*list, u"Appearance", u"Visible items", c.visible);
        set(*list, u"Appearance", u"Item height", c.height);
        EXPECT_EQ(list->ItemHeight(c.objectHeight), c.expected);
    }
}

TEST_F(ListBoxTest, TitlesAreEndedBySeparatorsAndCutToTheMaximum)
{
    struct Case {
        std::u16string_view titles;
        std::u16string_view maximum;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {u"a\x01" u"b\x01" u"c\x01", u"10", {u"a", u"b", u"c"}},
        {u"a\x01" u"b\x01" u"c", u"10", {u"a", u"b"}},
        {u"a\x01" u"b\x01" u"c\x01", u"2", {u"a", u"b"}},
        {u"a\x01" u"b\x01", u"", {}},
        {u"a\x01" u"b\x01", u"-3", {}},
    };
    const auto list = make(20);
    for (const Case& c : cases) {
        set(*list, u"Behavior", u"Item titles", c.titles);
        set(*list, u"Appearance", u"Maximum items", c.maximum);
        EXPECT_EQ(list->ItemTitles(), c.expected) << wideToUtf8(c.titles) << " " << wideToUtf8(c.maximum);
    }
}

TEST_F(ListBoxTest, SeparatorWordIsTheFirstUnitOrOne)
{
    const std::pair<std::u16string_view, uint32_t> cases[] = {
        {u"/", 0x2F}, {u"", 1}, {u";,", 0x3B}, {u"\u20AC", 0x20AC}, {u" ", 0x20},
    };
    const auto list = make(21);
    for (const auto& [text, word] : cases) {
        set(*list, u"Behavior", u"Text list separator", text);
        EXPECT_EQ(list->SeparatorWord(), word) << wideToUtf8(text);
    }
}

TEST_F(ListBoxTest, PreviewFramesEveryRowAndShowsTheSecondSelected)
{
    const auto list = make(20);
    set(*list, u"Appearance", u"Transparency", u"40");
    const gfx::Surface picture = list->RenderPreview();
    ASSERT_TRUE(picture.isValid());
    EXPECT_EQ(picture.width(), 100);
    EXPECT_EQ(picture.height(), 120);
    ASSERT_EQ(theme->calls.size(), 8u);   // 120 / 15
    for (std::size_t i = 0; i < theme->calls.size(); ++i) {
        const RecordingTheme::Call& call = theme->calls[i];
        EXPECT_EQ(call.rect, gfx::Rect::fromSize(0, int32_t(i) * 15, 100, 15));
        EXPECT_EQ(call.shape, CItemFrames::kShapeFrame);
        EXPECT_EQ(call.partCode, i == 1 ? 0x51 : 0x50);
        EXPECT_EQ(call.transparency, 40);
    }
    EXPECT_EQ(picture.pixel(50, 2), 0xFF005000u);
    EXPECT_EQ(picture.pixel(50, 17), 0xFF005100u);

    // Rows that do not fit whole are framed too, cut by the picture.
    theme->calls.clear();
    list->SetRect(0, 0, 100, 40);
    set(*list, u"Appearance", u"Item size form", u"By item height");
    set(*list, u"Appearance", u"Item height", u"30");
    ASSERT_TRUE(list->RenderPreview().isValid());
    EXPECT_EQ(theme->calls.size(), 2u);
}

TEST_F(ListBoxTest, ListBoxCollectsThreeFramesThenOneItemPictureEachAndCompilesThemInOrder)
{
    harness.AddTag(u"selected", u"integer", 4, u"10");
    const auto list = make(20);
    set(*list, u"Data", u"Value tag", u"selected");
    const Compiled compiled = compile(harness, *list);
    // Three frames at the object's width and one item's height, states 0 to 2.
    ASSERT_EQ(theme->calls.size(), 3u);
    for (int32_t state = 0; state < 3; ++state) {
        EXPECT_EQ(theme->calls[std::size_t(state)].rect, gfx::Rect::fromSize(0, 0, 100, 15));
        EXPECT_EQ(theme->calls[std::size_t(state)].partCode, 0x50 | state);
    }
    // Without a text renderer the three items are clear rows: one picture.
    ASSERT_EQ(compiled.entries.size(), 6u);
    const uint32_t normal = compiled.entries[0], selected = compiled.entries[1], focused = compiled.entries[2];
    const uint32_t item = compiled.entries[3];
    EXPECT_NE(normal, selected);
    EXPECT_NE(selected, focused);
    EXPECT_NE(item, 0u);
    EXPECT_EQ(compiled.entries[4], item);
    EXPECT_EQ(compiled.entries[5], item);
    const target::TagReference tag = harness.tags.Resolve(u"selected");
    EXPECT_EQ(compiled.words, joined({header(20), {normal, selected, focused, 3, item, item, item},
                                      {tag.low, tag.high}, listElement(kFocusable | target::kElementFlagNoOverlap)}));
    EXPECT_EQ(list->CollectedItemCount(), 3u);
    EXPECT_EQ(compiled.taken, compiled.entries.size());
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(ListBoxTest, ItemPicturesHoldTheirTitlesAndTheDynamicListTheFontOfItsText)
{
    foundation::DRendererBitmap renderer;
    renderer.textRenderer().enumFonts();
    CObjectFonts::Use(&renderer);
    const auto list = make(20);
    list->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
    set(*list, u"Behavior", u"Item titles", u"one\x01two\x01one\x01");
    const Compiled fixed = compile(harness, *list);
    ASSERT_EQ(fixed.entries.size(), 6u);
    EXPECT_NE(fixed.entries[3], fixed.entries[4]);
    EXPECT_EQ(fixed.entries[3], fixed.entries[5]);
    // The page view writes each title over its frame.
    const gfx::Surface preview = list->RenderPreview();
    bool white = false;
    for (int32_t y = 0; y < 15 && !white; ++y)
        for (int32_t x = 0; x < 100 && !white; ++x)
            white = preview.pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_TRUE(white);

    harness.resources.Begin(32, target::kTargetFlagsDefault);
    const auto dynamic = make(21);
    dynamic->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
    const Compiled compiled = compile(harness, *dynamic);
    ASSERT_EQ(compiled.entries.size(), 4u);
    EXPECT_NE(compiled.entries[3], 0u);   // a "font" chunk
    CObjectFonts::Use(nullptr);
}

TEST_F(ListBoxTest, NeighboursAreWrittenByTheirTargetIndices)
{
    harness.scope.objects = {{u"left one", 4}, {u"below", 0}};
    const auto list = make(21);
    set(*list, u"Navigation", u"Object left", u"left one");
    set(*list, u"Navigation", u"Object down", u"below");
    set(*list, u"Navigation", u"Object up", u"gone");
    const Compiled compiled = compile(harness, *list);
    ASSERT_GT(compiled.words.size(), 8u);
    EXPECT_EQ(std::vector<uint32_t>(compiled.words.begin() + 4, compiled.words.begin() + 8),
              (std::vector<uint32_t>{4, uint32_t(-1), uint32_t(-1), 0}));
}

TEST_F(ListBoxTest, AListOfNoSizeMakesNoPicturesYetKeepsItsEntriesAndSaysSo)
{
    const auto list = make(20);
    list->SetMinimumSize(-1, -1);
    list->SetRect(10, 20, 10, 140);
    const Compiled compiled = compile(harness, *list);
    EXPECT_EQ(compiled.entries, std::vector<uint32_t>(6, 0));
    EXPECT_EQ(compiled.taken, 6u);
    EXPECT_TRUE(theme->calls.empty());
    ASSERT_EQ(harness.output.lines.size(), 1u);
    EXPECT_EQ(harness.output.lines[0].text,
              u"\r\nWarning in list object: Picture of no size left out (object property Width)");
    EXPECT_FALSE(list->RenderPreview().isValid());

    // No height still leaves items of the smallest height to draw.
    list->SetRect(10, 20, 110, 20);
    harness.output.lines.clear();
    harness.resources.Begin(32, target::kTargetFlagsDefault);
    const Compiled flat = compile(harness, *list);
    EXPECT_NE(flat.entries[0], 0u);
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(ListBoxTest, NoMaximumMakesNoItemPicturesAndWritesACountOfZero)
{
    const auto list = make(20);
    set(*list, u"Appearance", u"Maximum items", u"");
    const Compiled compiled = compile(harness, *list);
    ASSERT_EQ(compiled.entries.size(), 3u);
    ASSERT_GT(compiled.words.size(), 11u);
    EXPECT_EQ(compiled.words[11], 0u);
    EXPECT_EQ(compiled.taken, 3u);
}

TEST_F(ListBoxTest, DynamicListBoxCompilesItsSeparatorTagsListAndTextTemplate)
{
    harness.AddTag(u"selected", u"integer", 4, u"10");
    harness.AddTag(u"items", u"UTF-16LE", 64, u"20");
    const auto list = make(21);
    set(*list, u"Behavior", u"Text list separator", u";");
    set(*list, u"Data", u"Value tag", u"selected");
    set(*list, u"Data", u"Text list tag", u"items");
    const Compiled compiled = compile(harness, *list);
    // Three frames and the font entry (none without a text renderer).
    ASSERT_EQ(compiled.entries.size(), 4u);
    EXPECT_EQ(compiled.entries[3], 0u);
    const target::TagReference selected = harness.tags.Resolve(u"selected");
    const target::TagReference items = harness.tags.Resolve(u"items");
    target::TextStyle style;
    style.alignment = 1;
    const std::vector<uint32_t> text = joined({element(ElementKind::Text, kFocusable), std::vector<uint32_t>(16, 0),
                                               {0, 17, style.word(), 256, 0xFFFFFFFF, 0, 0, 0}});
    EXPECT_EQ(compiled.words,
              joined({header(21), {compiled.entries[0], compiled.entries[1], compiled.entries[2]},
                      {';', items.low, items.high, selected.low, selected.high},
                      listElement(kFocusable | target::kElementFlagNoOverlap), text}));
    EXPECT_EQ(compiled.taken, 4u);
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(ListBoxTest, DynamicListBoxTakesItsItemsFromAStringTag)
{
    harness.AddTag(u"number", u"integer", 4, u"10");
    const auto list = make(21);
    set(*list, u"Data", u"Text list tag", u"number");
    compile(harness, *list);
    ASSERT_EQ(harness.output.lines.size(), 1u);
    EXPECT_NE(harness.output.lines[0].text.find(u"Tag type mismatch"), std::u16string::npos);
}

TEST_F(ListBoxTest, TheStyleElementIsReadFirstAndWrittenAfterTheFont)
{
    themes.Add(u"Dune");
    const auto list = make(20);
    set(*list, u"Appearance", u"Maximum items", u"4");
    DXMLElement root(u"page");
    list->WriteXml(root);
    DXMLElement* element = root.getChild(u"object");
    ASSERT_NE(element, nullptr);
    const auto& children = element->children();
    std::vector<std::u16string> names;
    for (const auto& child : children)
        names.push_back(child->name());
    const auto at = [&](std::u16string_view name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_EQ(names.front(), u"type");
    EXPECT_LT(at(u"maximum"), at(u"fontFamily"));
    EXPECT_LT(at(u"fontFamily"), at(u"style"));
    EXPECT_LT(at(u"style"), at(u"posLeft"));
    EXPECT_EQ(element->getChild(u"style")->getText(), u"Aqua");

    element->getChild(u"style")->setText(u"Dune");
    element->getChild(u"StyleName")->setText(u"Dune");
    const auto read = make(20);
    EXPECT_TRUE(read->ReadXml(*element));
    EXPECT_EQ(read->GetStyleName(), u"Dune");
    EXPECT_EQ(read->FindProperty(u"Appearance", u"Maximum items")->GetInt(), 4);
    EXPECT_EQ(read->GetRect().bottom, 140);
}

TEST(ListBoxThemes, EachRealThemeDrawsThreeDifferentItemFrames)
{
    const vx::test::BuiltStyles styles;
    ASSERT_EQ(styles.Count(), 4);
    CSelectable page(kPageObjectType);
    for (const std::u16string_view name : {u"Alloy", u"Dune", u"Lacquer", u"Timber"}) {
        SCOPED_TRACE(wideToUtf8(name));
        auto list = CEditorObject::CreateObject(20, &page);
        list->SetRect(0, 0, 90, 160);   // items of 20
        list->OnStyleChanged(name);
        ASSERT_EQ(list->GetStyleName(), name);
        ObjectCompileHarness harness;
        harness.CompileObject(*list);
        const auto entries = harness.resources.Entries();
        ASSERT_EQ(entries.size(), 6u);
        EXPECT_NE(entries[0], 0u);
        EXPECT_NE(entries[0], entries[1]);
        EXPECT_NE(entries[1], entries[2]);   // thin and thick frames of the focused picture
        const gfx::Surface preview = list->RenderPreview();
        ASSERT_TRUE(preview.isValid());
        EXPECT_NE(preview.pixel(45, 10) >> 24, 0u);
        EXPECT_NE(preview.pixel(45, 150) >> 24, 0u);
    }
}

} // namespace
