#include <string>
#include <vector>

#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/widgets/DCompositeObject_DynamicListbox.h"
#include "engine/widgets/DCompositeObject_Listbox.h"
#include "tests/support/engine/ScrollingWidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

// The list lies over (0, 0, 40, 30): three rows of 10 pixels are seen at a time.
constexpr int32_t kListWidth = 40, kListHeight = 30, kRowHeight = 10;
constexpr uint32_t kNormal = 0xFF404040, kSelected = 0xFF0000FF, kFocusedSelected = 0xFF00FF00;
const TagReference kSelection = localTag(1);

// Row image i is the left half of its row in this colour.
uint32_t rowColour(uint32_t index)
{
    return 0xFF000000u | (index + 1) << 16 | 0x80;
}

// The list over (0, 0, kListWidth, kListHeight), and how many row images its list box has.
struct ListSetup : vx::test::ScrollingListRecord {
    ListSetup()
    {
        area = {0, 0, kListWidth, kListHeight};
        maximum = 12;
        rowHeight = kRowHeight;
    }
    uint32_t rows = 12;
};

std::vector<uint8_t> listboxPage(const ListSetup& setup)
{
    TargetBuilder builder(ScrollingWidgetHarness::kWidth, ScrollingWidgetHarness::kHeight, 1);
    const uint32_t normal = ScrollingWidgetHarness::solidImage(builder, kListWidth, kRowHeight, kNormal);
    const uint32_t selected = ScrollingWidgetHarness::solidImage(builder, kListWidth, kRowHeight, kSelected);
    const uint32_t focused = ScrollingWidgetHarness::solidImage(builder, kListWidth, kRowHeight, kFocusedSelected);
    std::vector<uint32_t> rows;
    for (uint32_t i = 0; i < setup.rows; ++i)
        rows.push_back(ScrollingWidgetHarness::solidImage(builder, kListWidth / 2, kRowHeight, rowColour(i)));
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        vx::test::writeListbox(page, {normal, selected, focused, rows, kSelection, setup});
    });
    return builder.finish();
}

class ListboxTest : public ScrollingWidgetHarness {
protected:
    void show(const ListSetup& setup)
    {
        ASSERT_NO_FATAL_FAILURE(loadWidget(listboxPage(setup), listbox, list, &DCompositeObject_Listbox::list));
        frame(0);
    }
    int32_t scrollY() const { return list->scrollPosition().y; }
    // Frames until the list has stopped, at most limit of them.
    void settle(int limit = 50)
    {
        for (int i = 0; i < limit && list->motion() != DBaseObject_ScrollingList::Motion::Idle; ++i)
            frame();
        frame(); // the selection written at rest reaches the tag
    }

    DCompositeObject_Listbox* listbox = nullptr;
    DBaseObject_ScrollingList* list = nullptr;
};

// Pointer scripts: each step goes to the project, a frame of 10 ms follows every move.
struct Pointer {
    enum Kind { Down, Move, Up } kind;
    DPoint point;
};

struct TouchCase {
    const char* name;
    std::vector<Pointer> script;
    uint32_t selected;
    int32_t tag;
    int32_t scroll;
};

const TouchCase kTouchCases[] = {
    {"TapSelectsTheRowAndWritesItsIndex", {{Pointer::Down, {5, 15}}, {Pointer::Up, {5, 15}}}, 2, 1, 0},
    {"TapThatMovesTenPixelsStillSelects",
     {{Pointer::Down, {5, 12}}, {Pointer::Move, {5, 22}}, {Pointer::Up, {5, 22}}}, 3, 2, 0},
    {"DragOfElevenPixelsSelectsNothing",
     {{Pointer::Down, {5, 22}}, {Pointer::Move, {5, 11}}, {Pointer::Up, {5, 11}}}, 1, 0, 11},
    {"DragStopsAtTheLastRow",
     {{Pointer::Down, {5, 29}}, {Pointer::Move, {5, 0}}, {Pointer::Up, {5, 0}}, {Pointer::Down, {5, 29}},
      {Pointer::Move, {5, 0}}, {Pointer::Up, {5, 0}}, {Pointer::Down, {5, 29}}, {Pointer::Move, {5, 0}},
      {Pointer::Up, {5, 0}}, {Pointer::Down, {5, 29}}, {Pointer::Move, {5, 0}}, {Pointer::Up, {5, 0}}},
     1, 0, 90},
};

class ListboxTouch : public ListboxTest, public testing::WithParamInterface<TouchCase> {};

} // namespace

TEST_P(ListboxTouch, TapAgainstDrag)
{
    const TouchCase& c = GetParam();
    show({});
    for (const Pointer& step : c.script) {
        if (step.kind == Pointer::Down)
            project.onPointerDown(step.point);
        else if (step.kind == Pointer::Move)
            project.onPointerMove(step.point);
        else
            project.onPointerUp(step.point);
        frame();
    }
    settle();
    EXPECT_EQ(list->selected(), c.selected);
    EXPECT_EQ(number(kSelection), c.tag);
    EXPECT_EQ(scrollY(), c.scroll);
    EXPECT_FALSE(listbox->tickEnabled());
}

INSTANTIATE_TEST_SUITE_P(Listbox, ListboxTouch, testing::ValuesIn(kTouchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListboxTest, ShowsRowImagesOverTheirBackgrounds)
{
    show({});
    EXPECT_EQ(list->rowCount(), 12u);
    EXPECT_EQ(list->selected(), 1u);
    EXPECT_EQ(pixel(5, 5), rowColour(0));
    EXPECT_EQ(pixel(30, 5), kSelected);
    EXPECT_EQ(pixel(5, 15), rowColour(1));
    EXPECT_EQ(pixel(30, 15), kNormal);
    EXPECT_EQ(pixel(30, 29), kNormal);
    EXPECT_EQ(pixel(kListWidth, 5), 0u);

    project.onPointerDown({30, 15});
    project.onPointerUp({30, 15});
    frame();
    EXPECT_EQ(pixel(30, 5), kNormal);
    EXPECT_EQ(pixel(30, 15), kSelected);
}

TEST_F(ListboxTest, FocusTrackingShowsTheFocusedSelectedBackground)
{
    ListSetup setup;
    setup.flags |= kElementFlagFocusTracking;
    show(setup);
    EXPECT_EQ(pixel(30, 5), kSelected);
    project.onPointerDown({30, 5}); // the press gives the list the focus
    project.onPointerUp({30, 5});
    frame();
    EXPECT_EQ(pixel(30, 5), kFocusedSelected);
    EXPECT_EQ(listbox->setFocus(0), 1);
    frame();
    EXPECT_EQ(pixel(30, 5), kSelected);
}

TEST_F(ListboxTest, DraggedListCoastsAndSlowsDown)
{
    ListSetup setup;
    setup.slowDown = 1;
    show(setup);
    project.onPointerDown({5, 28});
    frame();
    for (int32_t y : {23, 18, 13}) { // 5 pixels every 10 ms: a speed of 16
        project.onPointerMove({5, y});
        frame();
    }
    EXPECT_EQ(scrollY(), 15);
    EXPECT_EQ(list->speed(), 16);
    project.onPointerUp({5, 13});
    std::vector<int32_t> positions;
    while (list->motion() != DBaseObject_ScrollingList::Motion::Idle && positions.size() < 20) {
        frame();
        positions.push_back(scrollY());
    }
    // 14, 12, ... down to 4, then it stops.
    EXPECT_EQ(positions, (std::vector<int32_t>{29, 41, 51, 59, 65, 69, 69}));
    EXPECT_FALSE(listbox->tickEnabled());
    EXPECT_EQ(list->selected(), 1u);
    EXPECT_EQ(number(kSelection), 0);
}

TEST_F(ListboxTest, SelectionTagScrollsTheRowIntoView)
{
    show({});
    setNumber(kSelection, 4);
    frame();
    EXPECT_EQ(list->selected(), 5u);
    EXPECT_EQ(scrollY(), 20); // row 5's bottom at the window's bottom
    setNumber(kSelection, 4); // told again, unchanged: nothing moves
    frame();
    EXPECT_EQ(list->motion(), DBaseObject_ScrollingList::Motion::Idle);
    EXPECT_EQ(scrollY(), 20);
    setNumber(kSelection, 2); // row 3 is in view already
    frame();
    EXPECT_EQ(list->selected(), 3u);
    EXPECT_EQ(scrollY(), 20);
    EXPECT_EQ(pixel(5, 5), rowColour(2));
    EXPECT_EQ(pixel(30, 5), kSelected);
}

TEST_F(ListboxTest, SelectionTagMakesASlowingListCoastToTheRow)
{
    ListSetup setup;
    setup.slowDown = 1;
    show(setup);
    setNumber(kSelection, 4);
    std::vector<int32_t> positions;
    for (int i = 0; i < 6; ++i) {
        frame();
        positions.push_back(scrollY());
    }
    EXPECT_EQ(positions, (std::vector<int32_t>{8, 14, 18, 20, 20, 20}));
    EXPECT_EQ(list->selected(), 5u);
    EXPECT_FALSE(listbox->tickEnabled());
    EXPECT_EQ(number(kSelection), 4);
}

TEST_F(ListboxTest, WrappingListScrollsTheShortWayRound)
{
    ListSetup setup;
    setup.mode = ScrollingWords::kModeWrapping;
    setup.slowDown = 1;
    setup.maximum = setup.rows = 6;
    show(setup);
    setNumber(kSelection, 5); // row 6: one row up, not five down
    std::vector<int32_t> positions;
    for (int i = 0; i < 4; ++i) {
        frame();
        positions.push_back(scrollY());
    }
    EXPECT_EQ(positions, (std::vector<int32_t>{56, 52, 50, 50}));
    EXPECT_EQ(list->selected(), 6u);
    EXPECT_EQ(pixel(5, 5), rowColour(5));
    EXPECT_EQ(pixel(5, 15), rowColour(0)); // the first row follows the last
    EXPECT_EQ(pixel(30, 5), kSelected);
}

TEST_F(ListboxTest, WrappingListTapsTheRowsAfterTheLast)
{
    ListSetup setup;
    setup.mode = ScrollingWords::kModeWrapping;
    setup.maximum = setup.rows = 6;
    show(setup);
    project.onPointerDown({5, 29});
    project.onPointerMove({5, 4});
    project.onPointerMove({5, -16}); // 45 up: rows 5, 6 and 1 again
    project.onPointerUp({5, -16});
    frame();
    EXPECT_EQ(scrollY(), 45);
    EXPECT_EQ(pixel(5, 20), rowColour(0)); // the first row again below the last
    EXPECT_EQ(pixel(5, 25), rowColour(1));
    project.onPointerDown({5, 27}); // content row 8, the second one round
    project.onPointerUp({5, 27});
    settle();
    EXPECT_EQ(list->selected(), 2u);
    EXPECT_EQ(number(kSelection), 1);
    EXPECT_EQ(scrollY(), 50); // the whole of it comes into view
}

TEST_F(ListboxTest, CentredListSelectsTheRowThatComesToRestInTheMiddle)
{
    ListSetup setup;
    setup.selection = ListSelection::Centred;
    show(setup);
    EXPECT_EQ(scrollY(), -10); // row 1 in the middle
    EXPECT_EQ(pixel(30, 15), kSelected);
    project.onPointerDown({5, 20});
    frame();
    project.onPointerMove({5, 5});
    frame();
    EXPECT_EQ(list->selected(), 0u); // dragging clears the selection
    project.onPointerUp({5, 5});
    settle();
    EXPECT_EQ(list->selected(), 3u);
    EXPECT_EQ(scrollY(), 10); // snapped to the row, then centred on it
    EXPECT_EQ(number(kSelection), 2);
    EXPECT_EQ(pixel(30, 15), kSelected);
    EXPECT_EQ(pixel(30, 5), kNormal);
}

TEST_F(ListboxTest, RowsPastTheMaximumAreNotShown)
{
    ListSetup setup;
    setup.maximum = 4;
    setup.rows = 6;
    show(setup);
    EXPECT_EQ(list->rowCount(), 4u);
    EXPECT_EQ(list->rowImage(3) != nullptr, true);
    EXPECT_EQ(list->rowImage(4), nullptr);
}

// Files that ask for more than a record holds or a bitmap can take.
struct BoundCase {
    const char* name;
    uint32_t maximum;
    int32_t rowHeight;
    uint32_t expectedRows;
};

const BoundCase kBoundCases[] = {
    {"RowHeightZeroShowsNothing", 12, 0, 0},
    {"NegativeRowHeightShowsNothing", 12, -10, 0},
    {"HugeRowCountIsCut", 0xFFFFFFFFu, 10, DBaseObject_ScrollingList::kLargestRowCount},
    {"RowLargerThanAnyBitmap", 3, 1000000, 0},
    {"RowTallerThanAnyBitmap", 2, INT32_MAX, 0},
};

class ListboxBounds : public ListboxTest, public testing::WithParamInterface<BoundCase> {};

TEST_P(ListboxBounds, RowsAreBoundedBeforeTheyAreMade)
{
    const BoundCase& c = GetParam();
    ListSetup setup;
    setup.maximum = c.maximum;
    setup.rowHeight = c.rowHeight;
    setup.rows = 3;
    show(setup);
    EXPECT_EQ(list->maximumRows(), c.expectedRows);
    project.onPointerDown({5, 5});
    project.onPointerUp({5, 5});
    settle();
    if (c.expectedRows == 0) {
        EXPECT_EQ(list->rowCount(), 0u);
        EXPECT_EQ(number(kSelection), 0);
        EXPECT_EQ(pixel(5, 5), 0u);
    } else {
        EXPECT_EQ(pixel(5, 5), rowColour(0));
    }
}

INSTANTIATE_TEST_SUITE_P(Listbox, ListboxBounds, testing::ValuesIn(kBoundCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListboxTest, RowCountBeyondTheRecordStopsTheLoad)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        page.object(uint32_t(WidgetType::Listbox), [&](DRIFFFile& file) {
            writeRecord(file, ListboxBackgroundWords{});
            writeRecord(file, ListboxRowsHead{0x40000000u});
            writeWord(file, kNoResource); // the one row image the record holds
            vx::test::writeScrollingList(page, ListSetup{});
        });
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    auto* box = widget<DCompositeObject_Listbox>(0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->list(), nullptr);
    ASSERT_EQ(project.currentPage()->widgets().size(), 2u); // the next record is read all the same
    frame();
    project.onPointerDown({5, 5});
    project.onPointerUp({5, 5});
    frame();
}

namespace {

const TagReference kItems = localTag(2, DCharsetTable::kUtf16LE, 64);

std::vector<uint8_t> dynamicPage(const TagReference& items, uint32_t maximum = 12)
{
    TargetBuilder builder(ScrollingWidgetHarness::kWidth, ScrollingWidgetHarness::kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        vx::test::DynamicListboxRecord box;
        box.separator = u'/';
        box.items = items;
        box.selectionTag = kSelection;
        box.list = ListSetup{};
        box.list.maximum = maximum;
        vx::test::writeDynamicListbox(page, box);
    });
    return builder.finish();
}

class DynamicListboxTest : public ScrollingWidgetHarness {
protected:
    void show(const TagReference& items, uint32_t maximum = 12)
    {
        ASSERT_NO_FATAL_FAILURE(
            loadWidget(dynamicPage(items, maximum), listbox, list, &DCompositeObject_DynamicListbox::list));
        frame(0);
    }
    void setItems(const TagReference& items, std::vector<uint8_t> bytes)
    {
        DItem* tag = item(items);
        ASSERT_NE(tag, nullptr);
        tag->value().setBytes(bytes);
        tag->value().markWritten();
        frame();
    }
    static std::vector<uint8_t> utf16(std::u16string_view text)
    {
        std::vector<uint8_t> bytes;
        for (char16_t unit : text) {
            bytes.push_back(uint8_t(unit));
            bytes.push_back(uint8_t(unit >> 8));
        }
        return bytes;
    }
    std::vector<std::u16string> rows() const
    {
        std::vector<std::u16string> texts;
        for (uint32_t i = 0; i < list->rowCount(); ++i)
            texts.emplace_back(list->rowText(i));
        return texts;
    }

    DCompositeObject_DynamicListbox* listbox = nullptr;
    DBaseObject_ScrollingList* list = nullptr;
};

} // namespace

TEST_F(DynamicListboxTest, ItemsStringSplitsIntoRows)
{
    show(kItems);
    EXPECT_EQ(listbox->separator(), u'/');
    EXPECT_EQ(list->rowCount(), 0u);
    setItems(kItems, utf16(u"alpha/beta/gamma"));
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"alpha", u"beta", u"gamma"}));
    setItems(kItems, utf16(u"one//three/"));
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"one", u"", u"three"}));
    setItems(kItems, {}); // an empty string leaves the rows
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"one", u"", u"three"}));
    // A tap selects a row of text as of images.
    project.onPointerDown({5, 15});
    project.onPointerUp({5, 15});
    frame();
    EXPECT_EQ(number(kSelection), 1);
}

TEST_F(DynamicListboxTest, PartsBeyondTheMaximumAreDropped)
{
    show(kItems, 2);
    setItems(kItems, utf16(u"a/b/c/d"));
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST_F(DynamicListboxTest, ItemsAreReadThroughTheirCharacterSet)
{
    const TagReference latin = localTag(3, 23 /* ISO-8859-1 */, 16);
    show(latin);
    setItems(latin, {0xE9, '/', 0xFC, 'x'});
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"\u00e9", u"\u00fcx"}));
}

TEST_F(DynamicListboxTest, Utf8ItemsKeepTheirCodePoints)
{
    const TagReference utf8 = localTag(4, DCharsetTable::kUtf8, 16);
    show(utf8);
    setItems(utf8, {0xC3, 0xA9, '/', 0xF0, 0x9F, 0x98, 0x80});
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"\u00e9", u"\U0001F600"}));
}
