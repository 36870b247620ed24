#include <gtest/gtest.h>

#include <QTest>

#include "editor/document/CObjectTypeTable.h"
#include "editor/views/page/commands/CInsertCommands.h"
#include "editor/views/page/commands/CPageSettingsCommands.h"
#include "editor/views/page/commands/CPageViewCommands.h"
#include "tests/editor/views/page/PageViewHarness.h"

namespace {

using vx::test::PageViewHarness;

constexpr int32_t kText = 2;
constexpr int32_t kButton = 17;
constexpr int32_t kTimer = 24;

std::u16string textOf(const CEditorObject& object, std::u16string_view caption)
{
    return object.GetFormat().FindProperty(u"Format", caption)->GetValueText();
}
void setTextOf(CEditorObject& object, std::u16string_view caption, const CPropertyValue& value)
{
    object.GetFormat().FindProperty(u"Format", caption)->SetValue(value);
}

// Three texts at different places, the page open in a view.
struct OpenPage : testing::Test {
    OpenPage()
    {
        h.AddObject(kText, 10, 20, 40, 30);
        h.AddObject(kText, 100, 60, 60, 20);
        h.AddObject(kText, 200, 5, 30, 30);
        h.Open();
    }
    std::vector<std::u16string> undoLabels() const
    {
        std::vector<std::u16string> labels;
        for (const auto& item : h.View().GetContainer().GetUndoStack())
            labels.push_back(item->label);
        return labels;
    }
    PageViewHarness h;
};

TEST(PageViewCommandRouting, WithoutAViewEveryCommandIsDisabledAndWithOneTheViewServesIt)
{
    PageViewHarness h;
    for (const int32_t id : CPageViewCommands::CommandIds())
        EXPECT_FALSE(h.commands.state(id).enabled) << id;
    h.Open();
    for (const int32_t id : CPageViewCommands::CommandIds())
        EXPECT_EQ(h.commands.route(id), CommandLevel::View) << id;
    EXPECT_EQ(h.commands.route(ToInt(CommandId::ClosePageFrame)), CommandLevel::ChildFrame);
}

TEST_F(OpenPage, SelectionCommandsFollowTheSelectionCount)
{
    struct Case {
        CommandId id;
        bool none, one, two;
    };
    const Case cases[] = {
        {CommandId::OrderUp, false, true, false},    {CommandId::OrderToBack, false, true, false},
        {CommandId::Group, false, false, true},      {CommandId::Ungroup, false, true, true},
        {CommandId::AlignLeft, false, false, true},  {CommandId::AlignBottom, false, false, true},
        {CommandId::Cut, false, true, true},         {CommandId::Copy, false, true, true},
        {CommandId::Clone, false, true, false},      {CommandId::FontBold, false, true, true},
        {CommandId::FontGrow, false, true, true},    {CommandId::PositionX, false, true, false},
        {CommandId::TextAlignLeft, false, true, true},
    };
    for (const Case& c : cases) {
        h.Select({});
        EXPECT_EQ(h.State(c.id).enabled, c.none) << ToInt(c.id);
        h.Select({0});
        EXPECT_EQ(h.State(c.id).enabled, c.one) << ToInt(c.id);
        h.Select({0, 1});
        // The position boxes are enabled with any placed object, and show nothing for two.
        EXPECT_EQ(h.State(c.id).enabled, c.id == CommandId::PositionX || c.two) << ToInt(c.id);
    }
    EXPECT_EQ(h.Ribbon().GetText(CommandId::PositionX), u"");
    h.Select({1});
    (void)h.State(CommandId::PositionX);
    (void)h.State(CommandId::SizeWidth);
    EXPECT_EQ(h.Ribbon().GetText(CommandId::PositionX), u"100");
    EXPECT_EQ(h.Ribbon().GetText(CommandId::SizeWidth), u"60");
}

TEST_F(OpenPage, BoldIsTheFirstObjectsNegationAndOneUndoStepPerObject)
{
    setTextOf(h.Object(0), u"Bold", CPropertyValue(1));
    h.Select({0, 1});
    const std::size_t before = undoLabels().size();
    ASSERT_TRUE(h.Run(CommandId::FontBold));
    EXPECT_EQ(textOf(h.Object(0), u"Bold"), u"0");
    EXPECT_EQ(textOf(h.Object(1), u"Bold"), u"0");
    // Only the first changed.
    EXPECT_EQ(undoLabels().size(), before + 1);

    ASSERT_TRUE(h.Run(CommandId::FontBold));
    EXPECT_EQ(textOf(h.Object(0), u"Bold"), u"1");
    EXPECT_EQ(textOf(h.Object(1), u"Bold"), u"1");
    ASSERT_EQ(undoLabels().size(), before + 3);
    EXPECT_EQ(undoLabels().back(), u"Bold = 1");
    EXPECT_TRUE(h.State(CommandId::FontBold).checked.value_or(false));
    EXPECT_TRUE(h.project.IsModified());

    // Two steps back, one at a time (the list's entries are the main frame's): both as
    // before the second toggle.
    ASSERT_TRUE(h.Run(CommandId::EditUndo));
    ASSERT_TRUE(h.Run(CommandId::EditUndo));
    EXPECT_EQ(textOf(h.Object(0), u"Bold"), u"0");
    EXPECT_EQ(textOf(h.Object(1), u"Bold"), u"0");
    EXPECT_GE(h.host.counts.refillFull, 1);
    EXPECT_TRUE(h.State(CommandId::EditRedo).enabled);
}

TEST_F(OpenPage, TheFontSizeIsClampedAndGrowAndShrinkStayInRange)
{
    h.Select({0, 1});
    const std::pair<std::u16string, std::u16string> typed[] = {
        {u"500", u"200"}, {u"0", u"1"}, {u"-7", u"1"}, {u"24", u"24"}};
    for (const auto& [text, stored] : typed) {
        h.Ribbon().texts[CommandId::FontSize] = text;
        ASSERT_TRUE(h.Run(CommandId::FontSize));
        EXPECT_EQ(textOf(h.Object(0), u"Size"), stored) << std::string(text.begin(), text.end());
        EXPECT_EQ(h.Ribbon().GetText(CommandId::FontSize), stored);
    }
    setTextOf(h.Object(0), u"Size", CPropertyValue(1));
    setTextOf(h.Object(1), u"Size", CPropertyValue(200));
    ASSERT_TRUE(h.Run(CommandId::FontShrink));
    EXPECT_EQ(textOf(h.Object(0), u"Size"), u"1");
    EXPECT_EQ(textOf(h.Object(1), u"Size"), u"199");
    setTextOf(h.Object(1), u"Size", CPropertyValue(200));
    ASSERT_TRUE(h.Run(CommandId::FontGrow));
    EXPECT_EQ(textOf(h.Object(0), u"Size"), u"2");
    EXPECT_EQ(textOf(h.Object(1), u"Size"), u"200");
}

TEST_F(OpenPage, TheTextBoxesShowTheCommonValueClearForAMixAndDisableWithNothing)
{
    setTextOf(h.Object(0), u"Text", CPropertyValue(u"DejaVu Sans"));
    setTextOf(h.Object(1), u"Text", CPropertyValue(u"DejaVu Sans"));
    setTextOf(h.Object(2), u"Text", CPropertyValue(u"Liberation Serif"));
    h.Select({0, 1});
    EXPECT_TRUE(h.State(CommandId::FontName).enabled);
    EXPECT_EQ(h.Ribbon().GetText(CommandId::FontName), u"DejaVu Sans");
    // A box being edited keeps what the user types.
    h.Select({0, 2});
    h.Ribbon().focused[CommandId::FontName] = true;
    h.Ribbon().texts[CommandId::FontName] = u"Deja";
    (void)h.State(CommandId::FontName);
    EXPECT_EQ(h.Ribbon().GetText(CommandId::FontName), u"Deja");
    h.Ribbon().focused.clear();
    EXPECT_TRUE(h.State(CommandId::FontName).enabled);
    EXPECT_EQ(h.Ribbon().GetText(CommandId::FontName), u"");
    h.Select({});
    h.Ribbon().texts[CommandId::FontName] = u"Left over";
    EXPECT_FALSE(h.State(CommandId::FontName).enabled);
    EXPECT_EQ(h.Ribbon().GetText(CommandId::FontName), u"");

    // The colour button: the common colour, or the no-common-colour mark.
    setTextOf(h.Object(0), u"Color", CPropertyValue(0x123456u));
    setTextOf(h.Object(1), u"Color", CPropertyValue(0x123456u));
    h.Select({0, 1});
    (void)h.State(CommandId::FontColour);
    EXPECT_EQ(h.Ribbon().GetColour(CommandId::FontColour), 0x123456u);
    h.Select({0, 2});
    (void)h.State(CommandId::FontColour);
    EXPECT_EQ(h.Ribbon().GetColour(CommandId::FontColour), 0x818181u);
    // Applying the mark changes nothing.
    ASSERT_TRUE(h.Run(CommandId::FontColour));
    EXPECT_EQ(textOf(h.Object(0), u"Color"), CPropertyValue(0x123456u).Text());
    h.Ribbon().colours[CommandId::FontColour] = 0x00FF00;
    ASSERT_TRUE(h.Run(CommandId::FontColour));
    EXPECT_EQ(textOf(h.Object(2), u"Color"), CPropertyValue(0x00FF00u).Text());
}

TEST_F(OpenPage, AlignmentIsRememberedAndCheckedFromTheSelection)
{
    h.Select({0, 1});
    ASSERT_TRUE(h.Run(CommandId::TextAlignRight));
    EXPECT_EQ(textOf(h.Object(0), u"Alignment"), u"2");
    EXPECT_EQ(textOf(h.Object(1), u"Alignment"), u"2");
    EXPECT_TRUE(h.State(CommandId::TextAlignRight).checked.value_or(false));
    EXPECT_FALSE(h.State(CommandId::TextAlignLeft).checked.value_or(true));
    setTextOf(h.Object(1), u"Alignment", CPropertyValue(0));
    EXPECT_FALSE(h.State(CommandId::TextAlignRight).checked.value_or(true));
    EXPECT_EQ(h.environment.settings.textAlignment, -1);
}

TEST_F(OpenPage, ThePageSizeBoxTakesASquareOrWidthByHeightAndRefusesAnythingElse)
{
    struct Case {
        std::u16string typed;
        int32_t width, height;
    };
    const Case cases[] = {
        {u"300", 300, 300},     {u"640x480", 640, 480}, {u" 1024 x 768 ", 1024, 768},
        {u"abc", 1024, 768},    {u"300x", 1024, 768},   {u"12y34", 1024, 768},
        {u"", 1024, 768},       {u"20x9000", 100, 5000},
    };
    for (const Case& c : cases) {
        h.Ribbon().texts[CommandId::PageSize] = c.typed;
        ASSERT_TRUE(h.Run(CommandId::PageSize));
        const std::string typed(c.typed.begin(), c.typed.end());
        EXPECT_EQ(h.project.GetPageSize(), (CPageSize{c.width, c.height})) << typed;
        EXPECT_EQ(h.Canvas().GetVirtualSize(), (CDiagramPoint{c.width, c.height})) << typed;
        // A refused text gives the box the old size back.
        EXPECT_EQ(h.Ribbon().GetText(CommandId::PageSize), h.project.Settings().target.pageSize) << typed;
    }
}

TEST_F(OpenPage, ANewPageSizeScalesTheObjectsOnlyWhenAsked)
{
    h.Ribbon().texts[CommandId::PageSize] = u"400x240";
    ASSERT_TRUE(h.Run(CommandId::PageSize));
    EXPECT_EQ(h.Object(1).GetRect().left, 100);
    ASSERT_TRUE(h.Run(CommandId::ResizePageObjects));
    EXPECT_TRUE(h.State(CommandId::ResizePageObjects).checked.value_or(false));
    h.Ribbon().texts[CommandId::PageSize] = u"800x480";
    ASSERT_TRUE(h.Run(CommandId::PageSize));
    EXPECT_EQ(h.Object(1).GetRect().left, 200);
    EXPECT_EQ(h.Object(1).GetRect().top, 120);
}

TEST_F(OpenPage, ZoomTextIsReadAsAPercentageAndTextThatIsNoNumberIsIgnored)
{
    struct Case {
        std::u16string typed;
        double zoom;
        std::u16string stored;
    };
    const Case cases[] = {
        {u"50%", 0.5, u"50"},   {u"abc", 0.5, u"50"},   {u"-200", 2.0, u"200"},
        {u"5000", 10.0, u"1000"}, {u"0", 0.01, u"1"},   {u"75 %", 0.75, u"75"},
    };
    for (const Case& c : cases) {
        h.Ribbon().texts[CommandId::Zoom] = c.typed;
        ASSERT_TRUE(h.Run(CommandId::Zoom));
        const std::string typed(c.typed.begin(), c.typed.end());
        EXPECT_DOUBLE_EQ(h.Canvas().GetZoom(), c.zoom) << typed;
        EXPECT_EQ(h.project.Settings().zoom, c.stored) << typed;
    }
    (void)h.State(CommandId::Zoom);
    EXPECT_EQ(h.Ribbon().GetText(CommandId::Zoom), u"75 %");
    EXPECT_TRUE(h.State(CommandId::ZoomReset).enabled);
    ASSERT_TRUE(h.Run(CommandId::ZoomReset));
    EXPECT_DOUBLE_EQ(h.Canvas().GetZoom(), 1.0);
    EXPECT_EQ(h.project.Settings().zoom, u"100");
    EXPECT_FALSE(h.State(CommandId::ZoomReset).enabled);
}

TEST(PageViewZoom, FitToScreenTakesTheSmallerRatioOfTheCanvasClientArea)
{
    EXPECT_EQ(CPageSettingsCommands::FitPercent(400, 600, {800, 480}), 50);
    EXPECT_EQ(CPageSettingsCommands::FitPercent(1000, 300, {800, 480}), 62);
    EXPECT_EQ(CPageSettingsCommands::FitPercent(3, 3, {5000, 5000}), 1);

    PageViewHarness h;
    h.Open(-1, 500, 700);
    const QSize client = h.View().GetCanvas().viewport()->size();
    const int32_t percent = CPageSettingsCommands::FitPercent(client.width(), client.height(), {800, 480});
    ASSERT_TRUE(h.Run(CommandId::ZoomFit));
    EXPECT_DOUBLE_EQ(h.Canvas().GetZoom(), percent * 0.01);
    EXPECT_EQ(h.project.Settings().zoom, CPropertyValue(percent).Text());
}

TEST_F(OpenPage, GridCommandsChangeTheProjectAndTheCanvas)
{
    const int modified = h.host.counts.modified;
    h.project.Settings().grid = true;
    ASSERT_TRUE(h.Run(CommandId::GridVisible));
    EXPECT_FALSE(h.project.Settings().grid);
    EXPECT_FALSE(h.Canvas().IsGridVisible());
    EXPECT_FALSE(h.State(CommandId::GridLines).enabled);
    ASSERT_TRUE(h.Run(CommandId::GridVisible));
    ASSERT_TRUE(h.Run(CommandId::GridLines));
    EXPECT_EQ(h.project.Settings().gridStyle, 1);
    EXPECT_EQ(h.Canvas().GetGridStyleCode(), 1);
    EXPECT_TRUE(h.State(CommandId::GridLines).checked.value_or(false));
    EXPECT_FALSE(h.State(CommandId::GridDots).checked.value_or(true));
    ASSERT_TRUE(h.Run(CommandId::SnapToGrid));
    EXPECT_EQ(h.Canvas().GetSnapToGrid(), h.project.Settings().gridSnap);
    EXPECT_EQ(h.host.counts.modified, modified + 4);
    EXPECT_TRUE(h.View().GetContainer().IsModified());
}

TEST_F(OpenPage, PageColourAndTransparencyGoThroughThePage)
{
    h.Ribbon().colours[CommandId::PageColour] = 0x00FF00;
    ASSERT_TRUE(h.Run(CommandId::PageColour));
    EXPECT_EQ(h.page.GetBackgroundColor(), 0x00FF00u);
    EXPECT_EQ(h.Canvas().GetPaperColour().argb, 0xFF00FF00u);
    EXPECT_EQ(h.host.counts.refillFull, 1);

    h.Ribbon().positions[CommandId::PageTransparency] = 100;
    ASSERT_TRUE(h.Run(CommandId::PageTransparency));
    EXPECT_EQ(h.page.GetBackgroundTransparency(), 255);
    EXPECT_EQ(h.Canvas().GetBackgroundTransparency(), 255);
    h.Ribbon().positions[CommandId::PageTransparency] = 0;
    (void)h.State(CommandId::PageTransparency);
    EXPECT_EQ(h.Ribbon().GetPosition(CommandId::PageTransparency), 100);
}

TEST_F(OpenPage, OrderCommandsMoveTheOneSelectedObject)
{
    CEditorObject* first = &h.Object(0);
    CEditorObject* second = &h.Object(1);
    CEditorObject* third = &h.Object(2);
    h.Select({0});
    ASSERT_TRUE(h.Run(CommandId::OrderUp));
    EXPECT_EQ(h.View().GetObjectAt(1), first);
    ASSERT_TRUE(h.Run(CommandId::OrderToFront));
    EXPECT_EQ(h.View().GetObjectAt(2), first);
    ASSERT_TRUE(h.Run(CommandId::OrderToBack));
    EXPECT_EQ(h.View().GetObjectAt(0), first);
    ASSERT_TRUE(h.Run(CommandId::OrderDown));
    EXPECT_EQ(h.View().GetObjectAt(0), first);
    // With two selected nothing moves.
    h.Select({0, 2});
    ASSERT_TRUE(h.Run(CommandId::OrderToFront));
    EXPECT_EQ(h.View().GetObjectAt(0), first);
    EXPECT_EQ(h.View().GetObjectAt(1), second);
    EXPECT_EQ(h.View().GetObjectAt(2), third);
}

TEST_F(OpenPage, AlignmentAndPositionCommandsActOnTheSelection)
{
    h.Select({0, 1, 2});
    ASSERT_TRUE(h.Run(CommandId::AlignTop));
    EXPECT_EQ(h.Object(0).GetRect().top, 5);
    EXPECT_EQ(h.Object(1).GetRect().top, 5);
    ASSERT_TRUE(h.Run(CommandId::AlignLeft));
    EXPECT_EQ(h.Object(2).GetRect().left, 10);
    h.Select({1});
    h.Ribbon().texts[CommandId::PositionY] = u"77";
    ASSERT_TRUE(h.Run(CommandId::PositionY));
    EXPECT_EQ(h.Object(1).GetRect().top, 77);
    EXPECT_EQ(h.Object(0).GetRect().top, 5);
}

TEST_F(OpenPage, LocksToggleTheirBitOverTheSelection)
{
    h.Select({0, 1});
    EXPECT_FALSE(h.State(CommandId::LockPosition).checked.value_or(true));
    ASSERT_TRUE(h.Run(CommandId::LockPosition));
    EXPECT_TRUE(h.Object(0).IsLocked(kLockPosition));
    EXPECT_TRUE(h.Object(1).IsLocked(kLockPosition));
    EXPECT_FALSE(h.Object(0).IsLocked(kLockSize));
    EXPECT_TRUE(h.State(CommandId::LockPosition).checked.value_or(false));
    // Some locked, some not: the command locks them all.
    h.Select({1, 2});
    ASSERT_TRUE(h.Run(CommandId::LockPosition));
    EXPECT_TRUE(h.Object(2).IsLocked(kLockPosition));
    ASSERT_TRUE(h.Run(CommandId::LockPosition));
    EXPECT_FALSE(h.Object(1).IsLocked(kLockPosition));
    EXPECT_FALSE(h.Object(2).IsLocked(kLockPosition));
    EXPECT_TRUE(h.Object(0).IsLocked(kLockPosition));
}

TEST_F(OpenPage, ClipboardCommandsCopyAcrossThePagesOfTheProject)
{
    EXPECT_FALSE(h.State(CommandId::Paste).enabled);
    h.Select({1});
    ASSERT_TRUE(h.Run(CommandId::Copy));
    EXPECT_TRUE(h.State(CommandId::Paste).enabled);
    ASSERT_TRUE(h.Run(CommandId::Paste));
    EXPECT_EQ(h.View().GetContainer().GetSize(), 4);
    ASSERT_TRUE(h.Run(CommandId::Clone));
    EXPECT_EQ(h.View().GetContainer().GetSize(), 5);
    h.Select({0});
    ASSERT_TRUE(h.Run(CommandId::Cut));
    EXPECT_EQ(h.View().GetContainer().GetSize(), 4);
    // Every object on the canvas belongs to the page.
    for (int32_t index = 0; index < 4; ++index)
        EXPECT_EQ(h.Object(index).GetPage(), &h.page);
    ASSERT_TRUE(h.Run(CommandId::UndoKey));
    EXPECT_EQ(h.View().GetContainer().GetSize(), 5);
    ASSERT_TRUE(h.Run(CommandId::RedoKey));
    EXPECT_EQ(h.View().GetContainer().GetSize(), 4);
}

TEST_F(OpenPage, PageCommandsGoToTheMainFrameAndSpecialPagesAreNotDuplicated)
{
    ASSERT_TRUE(h.Run(CommandId::PageDuplicate));
    ASSERT_TRUE(h.Run(CommandId::PageDelete));
    EXPECT_EQ(h.environment.duplicated, std::vector<CPage*>{&h.page});
    EXPECT_EQ(h.environment.deleted, std::vector<CPage*>{&h.page});
    h.page.SetPageType(int32_t(target::PageType::Initial));
    EXPECT_FALSE(h.State(CommandId::PageDuplicate).enabled);
    ASSERT_TRUE(h.Run(CommandId::PageDuplicate));
    EXPECT_EQ(h.environment.duplicated.size(), 1u);
}

TEST_F(OpenPage, EveryCreatableTypeIsInsertedAndTheOthersAreDisabled)
{
    const auto rows = CObjectTypeTable::Rows();
    for (int32_t row = kFirstObjectType; row <= kLastObjectType; ++row) {
        const CommandId id = CommandId(rows[std::size_t(row)].commandId);
        const bool creatable = row <= kTimer;
        EXPECT_EQ(h.State(id).enabled, creatable) << row;
        EXPECT_EQ(CInsertCommands::RowOfCommand(ToInt(id)), row);
        if (!creatable)
            continue;
        ASSERT_TRUE(h.Run(id));
        const auto* armed = dynamic_cast<const CEditorObject*>(h.Canvas().GetInsertObject());
        ASSERT_NE(armed, nullptr) << row;
        EXPECT_EQ(armed->GetObjectTypeIndex(), row);
        EXPECT_EQ(armed->GetPage(), &h.page);
    }
    // The end rows' command matches nothing.
    EXPECT_EQ(CInsertCommands::RowOfCommand(-1), 0);
    EXPECT_FALSE(CInsertCommands::IsCreatable(0));
    EXPECT_FALSE(CInsertCommands::IsCreatable(kPageObjectType));
}

TEST_F(OpenPage, AnInsertedObjectIsPlacedByTheNextClick)
{
    ASSERT_TRUE(h.Run(CommandId::InsertButton));
    QWidget* canvas = h.View().GetCanvas().viewport();
    const CDiagramRect paper = h.Canvas().VirtualToScreen({0, 0, 800, 480});
    const QPoint at(paper.left + 300, paper.top + 200);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(h.View().GetContainer().GetSize(), 4);
    EXPECT_EQ(h.Object(3).GetObjectTypeIndex(), kButton);
    EXPECT_EQ(h.Object(3).GetPage(), &h.page);
}

TEST_F(OpenPage, ActionCommandsGoToTheActionsPaneWhenItShowsAScript)
{
    const int32_t first = ToInt(CommandId::ActionFirst), last = ToInt(CommandId::ActionLast);
    EXPECT_FALSE(h.State(CommandId::ActionFirst).enabled);
    h.environment.actionsPaneShowsScript = true;
    EXPECT_TRUE(h.State(CommandId::ActionLast).enabled);
    ASSERT_TRUE(h.commands.execute(first));
    ASSERT_TRUE(h.commands.execute(last));
    EXPECT_EQ(h.host.insertedActions, (std::vector<int32_t>{first, last}));
}

} // namespace
