// List boxes and dynamic list boxes as the editor compiles them, loaded by the engine.
#include <gtest/gtest.h>

#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/lists/CObjListBox.h"
#include "editor/project/compile/CCompileStartup.h"
#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/widgets/DCompositeObject_DynamicListbox.h"
#include "engine/widgets/DCompositeObject_Listbox.h"
#include "tests/editor/objects/images/PixelDifferences.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/support/editor/ObjectRoundTrip.h"

namespace {

using vx::test::FakeTheme;
using vx::test::FakeThemes;
using vx::test::ObjectRoundTrip;
using vx::test::PagePixels;

// Item frames in a shade of their state, so the selected row shows.
class StateShadeTheme : public FakeTheme {
public:
    using FakeTheme::FakeTheme;
    int32_t DrawObject(const gfx::PixelBuffer& target, const gfx::Rect& rect, int32_t shape, int32_t partCode,
                       int32_t transparency) override
    {
        frame = 0xFF000000u | uint32_t(0x40 + 0x30 * (partCode & 0xF)) << 8;
        return FakeTheme::DrawObject(target, rect, shape, partCode, transparency);
    }
};

using vx::test::DifferencesIn;

class ListObjectsRoundTrip : public ::testing::Test {
protected:
    ListObjectsRoundTrip()
    {
        themes.themes[u"Aqua"] = std::make_unique<StateShadeTheme>(u"Aqua");
        auto& compiler = roundTrip.compiler();
        compiler.AddTag(u"selected", u"integer", 4, u"10");
        compiler.AddTag(u"chosen", u"integer", 4, u"14");
        compiler.AddTag(u"items", u"UTF-16LE", 64, u"20");

        fixed = make(20, {20, 20, 140, 140});   // 8 visible items of 15
        set(*fixed, u"Data", u"Value tag", u"selected");
        dynamic = make(21, {160, 20, 280, 140});
        set(*dynamic, u"Behavior", u"Text list separator", u";");
        set(*dynamic, u"Data", u"Value tag", u"chosen");
        set(*dynamic, u"Data", u"Text list tag", u"items");
        roundTrip.Add(*fixed);
        roundTrip.Add(*dynamic);
    }

    std::unique_ptr<CEditorObject> make(int32_t type, gfx::Rect rect)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        object->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        object->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
        return object;
    }
    static void set(CEditorObject& object, std::u16string_view category, std::u16string_view caption,
                    std::u16string_view value)
    {
        object.FindProperty(category, caption)->SetValue(CPropertyValue(value));
    }
    target::TagReference tag(std::u16string_view name) { return roundTrip.compiler().tags.Resolve(name); }

    static constexpr std::size_t kFixed = 0, kDynamic = 1;

    FakeThemes themes;
    const CCompileStartup startup;
    CSelectable page{kPageObjectType};
    ObjectRoundTrip roundTrip;
    std::unique_ptr<CEditorObject> fixed, dynamic;
};

TEST_F(ListObjectsRoundTrip, BothListsLoadWithTheRowsSizesAndSeparatorTheyWereGiven)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    EXPECT_EQ(roundTrip.AlignmentMismatches(), 0u);
    EXPECT_TRUE(roundTrip.compiler().output.lines.empty());
    EXPECT_EQ(roundTrip.TypeOf(kFixed), 20u);
    EXPECT_EQ(roundTrip.TypeOf(kDynamic), 21u);
    EXPECT_EQ(roundTrip.LoadStatus(kFixed), 0);
    EXPECT_EQ(roundTrip.LoadStatus(kDynamic), 0);
    const auto* list = roundTrip.WidgetAs<DCompositeObject_Listbox>(kFixed);
    const auto* texts = roundTrip.WidgetAs<DCompositeObject_DynamicListbox>(kDynamic);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(texts, nullptr);
    ASSERT_NE(list->list(), nullptr);
    ASSERT_NE(texts->list(), nullptr);
    EXPECT_EQ(list->list()->rowCount(), 3u);
    EXPECT_EQ(list->list()->maximumRows(), 10u);
    EXPECT_EQ(list->list()->rowHeight(), 15);
    EXPECT_FALSE(list->list()->isCentred());
    EXPECT_TRUE(list->list()->slowsDown());
    EXPECT_EQ(texts->separator(), u';');
    EXPECT_EQ(texts->list()->rowCount(), 0u);

    // The items tag's text, split at the separator, makes the dynamic list's rows.
    DItem* items = roundTrip.engine().item(tag(u"items"));
    ASSERT_NE(items, nullptr);
    const std::u16string text = u"one;two;three;four";
    items->value().setBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size() * 2});
    items->value().markWritten();
    roundTrip.engine().frame();
    EXPECT_EQ(texts->list()->rowCount(), 4u);
    // Drawn in the object's font, white, over the item frames.
    const PagePixels page = roundTrip.RenderPage();
    int ink = 0;
    for (int32_t y = 20; y < 35; ++y)
        for (int32_t x = 160; x < 280; ++x)
            ink += (page.at(x, y) & 0xFFFFFF) == 0xFFFFFFu;
    EXPECT_GT(ink, 10);
    EXPECT_EQ(page.at(162, 20 + 4 * 15 + 7) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
}

TEST_F(ListObjectsRoundTrip, ATapWritesTheRowIndexAndTheTagSelectsTheRow)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    ObjectRoundTrip::Engine& engine = roundTrip.engine();
    const auto* list = roundTrip.WidgetAs<DCompositeObject_Listbox>(kFixed);
    ASSERT_NE(list, nullptr);
    // The second row of fifteen pixels.
    engine.project.onPointerDown({60, 20 + 15 + 7});
    engine.project.onPointerUp({60, 20 + 15 + 7});
    engine.frame();
    EXPECT_EQ(engine.number(tag(u"selected")), 1);
    EXPECT_EQ(list->list()->selected(), 2u);

    engine.setTag(tag(u"selected"), 2);
    engine.frames(50);
    EXPECT_EQ(list->list()->selected(), 3u);
}

TEST_F(ListObjectsRoundTrip, RowsShowTheEditorsItemPicturesOverTheStateFrames)
{
    ASSERT_EQ(roundTrip.Load(), 0);
    const PagePixels previews = roundTrip.ComposePreviews();
    // The page view shows the second row selected; so does the list once its tag says so.
    roundTrip.engine().setTag(tag(u"selected"), 1);
    roundTrip.engine().frames(50);
    const PagePixels engine = roundTrip.RenderPage();
    // The same pictures, put together by two blends: the page view's exact one (/ 255) and
    // the engine's (256 - alpha) >> 8, which may come out one lower where a text's soft
    // edge lies over a frame. The frames alone are equal.
    const gfx::Rect rows{20, 20, 140, 20 + 3 * 15};
    EXPECT_EQ(DifferencesIn(engine, previews, rows, 1), 0u);
    EXPECT_LT(DifferencesIn(engine, previews, rows), std::size_t(rows.width() * rows.height() / 10));
    EXPECT_EQ(DifferencesIn(engine, previews, {20, 20, 30, 20 + 3 * 15}), 0u);
    // Rows past the titles: the page view frames them, the panel shows no row there.
    EXPECT_EQ(engine.at(60, 20 + 3 * 15 + 7) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
    EXPECT_NE(previews.at(60, 20 + 3 * 15 + 7) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
}

} // namespace

namespace {

TEST_F(ListObjectsRoundTrip, TheEngineProgramShowsTheListsAsTheEditorPreviewsThem)
{
    const std::vector<uint8_t>& file = roundTrip.Compile();
    const PagePixels previews = roundTrip.ComposePreviews();
    vx::test::TempDir folder;
    // Ready once the first list's frames are there.
    const PagePixels shot = vx::test::ScreenshotPage(file, folder.path(), [](const PagePixels& page) {
        return (page.at(60, 20 + 2 * 15 + 1) & 0xFFFFFF) != (ObjectRoundTrip::kBackground & 0xFFFFFF);
    });
    ASSERT_FALSE(shot.empty()) << "the page never showed";
    EXPECT_TRUE(shot.WritePng(vx::test::KeptScreenshot("ListObjectsScreenshot.png")));
    EXPECT_TRUE(previews.WritePng(vx::test::KeptScreenshot("ListObjectsPreviews.png")));
    // The third row: the same item picture over the same frame, blended by the two sides.
    EXPECT_EQ(DifferencesIn(shot, previews, {20, 20 + 2 * 15, 140, 20 + 3 * 15}, 1), 0u);
    // The panel shows its first row selected, the page view its second.
    EXPECT_GT(DifferencesIn(shot, previews, {20, 20, 140, 20 + 2 * 15}, 1), 0u);
    EXPECT_EQ(shot.at(22, 22) & 0xFFFFFF, 0x007000u);      // state 1 frame in the first row
    EXPECT_EQ(previews.at(22, 22) & 0xFFFFFF, 0x004000u);  // state 0
    // Below the three rows, and in the dynamic list without items, the panel shows the page.
    EXPECT_EQ(shot.at(60, 20 + 3 * 15 + 7) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
    EXPECT_EQ(shot.at(200, 30) & 0xFFFFFF, ObjectRoundTrip::kBackground & 0xFFFFFF);
}

} // namespace
