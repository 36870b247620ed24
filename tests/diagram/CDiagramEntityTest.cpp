#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "diagram/CDiagramEntity.h"
#include "diagram/CDiagramEntityContainer.h"
#include "diagram/EntityTextLine.h"
#include "tests/diagram/DiagramTestSupport.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"

using namespace diagramtest;

namespace {

std::string narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

} // namespace

TEST(CDiagramEntityTextLine, EscapesEveryFieldSeparatorAndLineBreak)
{
    CDiagramEntity entity;
    entity.SetRect(1.5, 2, 30.25, 40);
    entity.SetName(u"a:b;c,d");
    entity.SetTitle(u"one\r\ntwo\nthree\rfour");
    entity.SetGroup(3);
    EXPECT_EQ(narrow(entity.GetString()),
              "basic:1.500000,2.000000,30.250000,40.000000,a\\colonb\\semicolonc\\commad,"
              "one\\newlinetwo\\newlinethree\\newlinefour,3;");

    CDiagramEntity back;
    ASSERT_TRUE(back.FromString(entity.GetString()));
    EXPECT_EQ(back.GetName(), u"a:b;c,d");
    // Every kind of line break comes back as the editor's CR LF.
    EXPECT_EQ(back.GetTitle(), u"one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(back.GetGroup(), 3);
    EXPECT_EQ(back.GetRect(), (CDiagramRect{1, 2, 30, 40}));
    EXPECT_DOUBLE_EQ(back.GetRight(), 30.25);
}

TEST(CDiagramEntityTextLine, RefusesLinesThatAreNotItsOwn)
{
    struct Case {
        const char16_t* line;
        const char* why;
    } cases[] = {
        {u"test:1,2,30,40,n,t,0;", "another type"},
        {u"basic:1,2,30,40,n,t;", "six fields"},
        {u"basic:1,2:30,40,n,t,0;", "a second colon"},
        {u"basic", "no fields"},
        {u"", "empty"},
        {u"BASIC:1,2,30,40,n,t,0;", "type compared exactly"},
    };
    for (const Case& c : cases) {
        CDiagramEntity entity;
        entity.SetRect(5, 6, 50, 60);
        entity.SetName(u"keep");
        EXPECT_FALSE(entity.FromString(c.line)) << c.why;
        EXPECT_EQ(entity.GetRect(), (CDiagramRect{5, 6, 50, 60})) << c.why;
        EXPECT_EQ(entity.GetName(), u"keep") << c.why;
    }
}

TEST(CDiagramEntityTextLine, LeavesTheDerivedFieldsAndSurvivesBadNumbers)
{
    CDiagramEntity entity;
    std::u16string fields = u" 10 , 20,x30,1e999 ,name,title,-2,extra,more; ";
    const std::u16string type = entity.SplitTypeAndFields(fields); // no colon: nothing split
    EXPECT_TRUE(type.empty());
    fields = std::u16string(EntityTextLine::Trim(fields));
    ASSERT_TRUE(entity.ParseFields(fields));
    EXPECT_EQ(narrow(fields), "extra,more");
    // Unreadable or infinite numbers read as 0, as atof gives; limits still apply.
    EXPECT_DOUBLE_EQ(entity.GetLeft(), 10);
    EXPECT_DOUBLE_EQ(entity.GetTop(), 20);
    EXPECT_DOUBLE_EQ(entity.GetRight(), 15); // 0 is narrower than the minimum 5
    EXPECT_DOUBLE_EQ(entity.GetBottom(), 25);
    EXPECT_EQ(entity.GetGroup(), -2);
}

// The line is written and read in the C locale even when the user's locale writes a
// decimal comma, which would otherwise split every number into two fields.
TEST(CDiagramEntityTextLine, IgnoresACommaDecimalLocale)
{
    vx::test::TempDir locales;
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "localedef could not build de_DE.UTF-8 (package locales)";
    setenv("LOCPATH", locales.path().c_str(), 1);
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char check[32];
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    EXPECT_STREQ(check, "1,5") << "the test locale must write a decimal comma";

    CDiagramEntity entity;
    entity.SetRect(1.25, 2.5, 100.75, 200.125);
    const std::u16string line = entity.GetString();
    CDiagramEntity back;
    const bool taken = back.FromString(line);

    std::setlocale(LC_ALL, saved.c_str());
    unsetenv("LOCPATH");
    EXPECT_EQ(narrow(line), "basic:1.250000,2.500000,100.750000,200.125000,,,0;");
    ASSERT_TRUE(taken);
    EXPECT_DOUBLE_EQ(back.GetLeft(), 1.25);
    EXPECT_DOUBLE_EQ(back.GetBottom(), 200.125);
}

TEST(CDiagramEntity, SizeLimitsApplyInSetRect)
{
    CDiagramEntity entity;
    entity.SetRect(10, 10, 12, 12);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{10, 10, 15, 15}));
    entity.SetMaximumSize(40, 30);
    entity.SetRect(0, 0, 100, 100);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{0, 0, 40, 30}));
    entity.SetConstraints(-1, -1, -1, -1);
    entity.SetRect(3, 3, 4, 4);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{3, 3, 4, 4}));
    entity.SetIntRect(50, 60, 10, 20); // normalised first
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{10, 20, 50, 60}));
    EXPECT_EQ(entity.GetScaledRect(1.5), (CDiagramRect{15, 30, 75, 90}));
}

TEST(CDiagramEntity, StaysOnThePaper)
{
    CDiagramEntityContainer container;
    container.SetPaperSize(800, 480);
    container.Add(makeEntity(100, 100, 300, 200));
    CDiagramEntity& entity = *container.GetAt(0);
    entity.MoveToX(-3);
    EXPECT_DOUBLE_EQ(entity.GetLeft(), 0);
    entity.MoveToX(700);
    EXPECT_DOUBLE_EQ(entity.GetLeft(), 600);
    EXPECT_DOUBLE_EQ(entity.GetRight(), 800);
    entity.MoveToY(400);
    EXPECT_DOUBLE_EQ(entity.GetTop(), 380);
    entity.SetWidth(-1);
    EXPECT_DOUBLE_EQ(entity.GetRight(), 605); // the minimum width
    entity.SetWidth(500);
    EXPECT_DOUBLE_EQ(entity.GetRight(), 800); // at most the paper
    entity.SetHeight(50);
    EXPECT_DOUBLE_EQ(entity.GetBottom(), 430);

    // No container, or a paper not set yet: no far limit, and nothing read from nowhere.
    CDiagramEntity loose;
    loose.SetRect(10, 10, 20, 20);
    loose.MoveToX(-5);
    EXPECT_EQ(loose.GetRect(), (CDiagramRect{0, 10, 10, 20}));
    loose.MoveToX(5000);
    loose.SetWidth(100);
    EXPECT_EQ(loose.GetRect(), (CDiagramRect{5000, 10, 5100, 20}));
    CDiagramEntityContainer unsized;
    unsized.Add(makeEntity(10, 10, 20, 20));
    unsized.GetAt(0)->MoveToY(900);
    unsized.GetAt(0)->SetHeight(40);
    EXPECT_EQ(unsized.GetAt(0)->GetRect(), (CDiagramRect{10, 900, 20, 940}));
}

TEST(CDiagramEntity, HitCodesPreferMarkersAndTheHigherCode)
{
    CDiagramEntity entity;
    entity.SetConstraints(-1, -1, -1, -1);
    entity.SetRect(100, 100, 200, 160);
    EXPECT_EQ(entity.GetHitCodeAt({150, 130}), DEHT_BODY);
    EXPECT_EQ(entity.GetHitCodeAt({10, 10}), DEHT_NONE);
    EXPECT_EQ(entity.GetHitCodeAt({100, 100}), DEHT_TOPLEFT);
    EXPECT_EQ(entity.GetHitCodeAt({150, 100}), DEHT_TOPMIDDLE);
    EXPECT_EQ(entity.GetHitCodeAt({199, 159}), DEHT_BOTTOMRIGHT);
    EXPECT_EQ(entity.GetHitCodeAt({200, 130}), DEHT_RIGHTMIDDLE);
    EXPECT_EQ(entity.GetHitCodeAt({205, 130}), DEHT_NONE); // markers exclude right and bottom too

    // On a 4-by-4 entity every marker covers the top-left corner: the last one wins.
    entity.SetRect(10, 10, 14, 14);
    EXPECT_EQ(entity.GetHitCodeAt({10, 10}), DEHT_RIGHTMIDDLE);
}

TEST(CDiagramEntity, MarkerRectanglesAndTheLockedCorner)
{
    CDiagramEntity entity;
    const CDiagramRect rect{10, 20, 30, 60};
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_TOPLEFT, rect), (CDiagramRect{6, 16, 14, 24}));
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_BOTTOMMIDDLE, rect), (CDiagramRect{16, 56, 24, 64}));
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_LEFTMIDDLE, rect), (CDiagramRect{6, 36, 14, 44}));
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_BODY, rect), rect);
    entity.SetMarkerSize(4, 4);
    entity.SetLock(4, true);
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_TOPLEFT, rect), (CDiagramRect{8, 18, 18, 28}));
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_TOPRIGHT, rect), (CDiagramRect{28, 18, 32, 22}));
    entity.SetLock(4, false);
    EXPECT_FALSE(entity.IsLocked(4));
    EXPECT_EQ(entity.GetSelectionMarkerRect(DEHT_TOPLEFT, rect), (CDiagramRect{8, 18, 12, 22}));
}

TEST(CDiagramEntity, BodyInRectNeedsTheWholeBody)
{
    CDiagramEntity entity;
    entity.SetRect(10, 10, 50, 50);
    EXPECT_TRUE(entity.BodyInRect({0, 0, 100, 100}));
    EXPECT_TRUE(entity.BodyInRect({100, 100, 0, 0})); // either corner order
    EXPECT_FALSE(entity.BodyInRect({20, 0, 100, 100}));
}

TEST(CDiagramEntity, CursorsByHitCode)
{
    CDiagramEntity entity;
    const DiagramCursor expected[] = {DiagramCursor::None,     DiagramCursor::SizeAll,  DiagramCursor::SizeNWSE,
                                      DiagramCursor::SizeNS,   DiagramCursor::SizeNESW, DiagramCursor::SizeNESW,
                                      DiagramCursor::SizeNS,   DiagramCursor::SizeNWSE, DiagramCursor::SizeWE,
                                      DiagramCursor::SizeWE};
    for (int32_t code = 0; code <= 9; ++code)
        EXPECT_EQ(entity.GetCursor(code), expected[code]) << code;
}

TEST(CDiagramEntity, SelectingOneMemberSelectsItsGroup)
{
    RecordingHost host;
    CDiagramEntityContainer container;
    for (int32_t group : {3, 3, 0, 4, 3}) {
        auto entity = makeEntity(0, 0, 10, 10);
        entity->SetGroup(group);
        container.Add(std::move(entity));
    }
    container.GetAt(1)->Select(true);
    EXPECT_TRUE(container.GetAt(0)->IsSelected());
    EXPECT_TRUE(container.GetAt(1)->IsSelected());
    EXPECT_FALSE(container.GetAt(2)->IsSelected());
    EXPECT_FALSE(container.GetAt(3)->IsSelected());
    EXPECT_TRUE(container.GetAt(4)->IsSelected());
    EXPECT_GT(host.selectionShown, 0);

    container.GetAt(1)->Select(false);
    EXPECT_FALSE(container.GetAt(1)->IsSelected());
    EXPECT_TRUE(container.GetAt(0)->IsSelected());
    EXPECT_TRUE(container.GetAt(4)->IsSelected());
}

TEST(CDiagramEntity, CommandsActOnlyOnSelectedEntities)
{
    CDiagramEntityContainer container;
    container.Add(makeEntity(0, 0, 10, 10, u"a"));
    container.Add(makeEntity(0, 0, 10, 10, u"b"));
    CDiagramEntity* a = container.GetAt(0);
    for (int32_t command = CMD_CUT; command <= CMD_BOTTOM; ++command)
        EXPECT_EQ(a->DoMessage(command, nullptr, nullptr), 0) << command;
    EXPECT_EQ(container.GetSize(), 2);
    EXPECT_FALSE(container.CanUndo());

    a->Select(true);
    EXPECT_EQ(a->DoMessage(CMD_UP, nullptr, nullptr), 1);
    EXPECT_EQ(container.GetAt(1), a);
    EXPECT_EQ(a->DoMessage(CMD_DUPLICATE, nullptr, nullptr), 1);
    EXPECT_EQ(container.GetSize(), 3);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(container.GetAt(2)->IsSelected());
    EXPECT_EQ(container.GetAt(2)->GetRect(), (CDiagramRect{10, 10, 20, 20}));

    // Cut deletes the entity from inside its own command: nothing may touch it after.
    CDiagramEntity* copy = container.GetAt(2);
    EXPECT_EQ(container.SendMessageToObjects(CMD_CUT, MessageTargets::SelectedOnly, nullptr, nullptr,
                                             MarkModified::Yes),
              1);
    EXPECT_EQ(container.GetSize(), 2);
    EXPECT_EQ(container.IndexOf(copy), -1);
    EXPECT_EQ(container.ClipboardCount(), 1);
}

TEST(CDiagramEntity, CopyTakesEverythingButTheClickState)
{
    CDiagramEntity::ResetHighestGroup();
    CDiagramEntityContainer container;
    auto source = makeEntity(1, 2, 30, 40, u"name");
    source->SetTitle(u"title");
    source->SetGroup(7);
    source->SetLock(4, true);
    source->SetMarkerSize(4, 6);
    source->SetConstraints(2, 3, 90, 80);
    source->SetClickToggle(true);
    source->SetLastClickPoint({5, 5});
    container.Add(std::move(source));
    CDiagramEntity::ResetHighestGroup();

    std::unique_ptr<CDiagramEntity> clone = container.GetAt(0)->Clone();
    EXPECT_NE(dynamic_cast<TestEntity*>(clone.get()), nullptr);
    EXPECT_EQ(clone->GetParent(), &container);
    EXPECT_EQ(clone->GetType(), u"test");
    EXPECT_EQ(clone->GetName(), u"name");
    EXPECT_EQ(clone->GetTitle(), u"title");
    EXPECT_EQ(clone->GetGroup(), 7);
    EXPECT_EQ(CDiagramEntity::GetHighestGroup(), 7);
    EXPECT_EQ(clone->GetLock(), 4u);
    EXPECT_EQ(clone->GetMarkerSize(), (CDiagramPoint{4, 6}));
    EXPECT_EQ(clone->GetMinimumSize(), (CDiagramPoint{2, 3}));
    EXPECT_EQ(clone->GetMaximumSize(), (CDiagramPoint{90, 80}));
    EXPECT_EQ(clone->GetRect(), (CDiagramRect{1, 2, 30, 40}));
    EXPECT_FALSE(clone->GetClickToggle());
    EXPECT_EQ(clone->GetLastClickPoint(), (CDiagramPoint{-100, 0}));
    EXPECT_EQ(container.GetAt(0)->CloneDetached()->GetParent(), nullptr);
}

TEST(CDiagramEntity, PopupListsTheMenuInOrder)
{
    const auto items = CDiagramEntity::PopupItems();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0].command, CMD_CUT);
    EXPECT_EQ(std::u16string(items[7].caption), u"To back");
    EXPECT_EQ(items[8].command, 0);
    EXPECT_EQ(items[9].command, CMD_PROPERTIES);
}

TEST(CDiagramEntity, DrawsItsRectangleAndMarkersAtTheZoom)
{
    gfx::Surface surface(60, 60);
    ASSERT_TRUE(surface.isValid());
    gfx::DeviceContext dc(surface);
    CDiagramEntity entity;
    entity.SetRect(5, 5, 20, 15);
    entity.DrawObject(dc, 2.0); // 10, 10, 40, 30 on the surface
    EXPECT_DOUBLE_EQ(entity.GetZoom(), 2.0);
    EXPECT_EQ(surface.pixel(10, 10), 0xFF000000u); // outline, right and bottom edges excluded
    EXPECT_EQ(surface.pixel(39, 29), 0xFF000000u);
    EXPECT_EQ(surface.pixel(40, 20), 0u);
    EXPECT_EQ(surface.pixel(25, 20), 0xFFFFFFFFu);
    EXPECT_EQ(surface.pixel(7, 7), 0u); // no markers while unselected

    entity.Select(true);
    entity.DrawObject(dc, 2.0);
    EXPECT_EQ(surface.pixel(7, 7), 0xFF000000u);   // top-left marker 6..14
    EXPECT_EQ(surface.pixel(25, 7), 0xFF000000u);  // top-middle
    EXPECT_EQ(surface.pixel(43, 20), 0xFF000000u); // right-middle
    EXPECT_EQ(surface.pixel(25, 20), 0xFFFFFFFFu);

    // Markers of exactly 5 by 4 are drawn at the corners only.
    gfx::Surface small(60, 60);
    gfx::DeviceContext smallDc(small);
    entity.SetMarkerSize(5, 4);
    entity.DrawObject(smallDc, 2.0);
    EXPECT_EQ(small.pixel(9, 9), 0xFF000000u);
    EXPECT_EQ(small.pixel(25, 9), 0u);
}
