// The frame commands over an open page view: selecting objects from the objects pane,
// and the style gallery over the view's selection.

#include <gtest/gtest.h>

#include "editor/shell/commands/CMainFrameCommands.h"
#include "tests/editor/shell/commands/FrameCommandsHarness.h"
#include "tests/editor/views/page/PageViewHarness.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/support/editor/ProjectHarness.h"

namespace {

using vx::test::FakeTheme;
using vx::test::ValueOf;

constexpr int32_t kText = 2;
constexpr int32_t kLight = 10;   // style "Aqua"
constexpr int32_t kButton = 17;  // style "Vista-like"

class Themes : public CThemeProvider {
public:
    Themes() { CThemeProvider::Set(this); }
    ~Themes() override { CThemeProvider::Set(nullptr); }
    CObjectTheme* FindTheme(std::u16string_view name) override
    {
        for (FakeTheme* theme : {&aqua, &vista})
            if (theme->name == name)
                return theme;
        return nullptr;
    }
    FakeTheme aqua{u"Aqua"}, vista{u"Vista-like"};
};

// Objects 0 to 3: a button, a light, a text and another button.
struct SelectionCommands : ::testing::Test {
    SelectionCommands()
    {
        view.AddObject(kButton, 10, 10);
        view.AddObject(kLight, 60, 10);
        view.AddObject(kText, 110, 10);
        view.AddObject(kButton, 160, 10);
        view.Open();
        commands.SetGalleryThemes({u"Aqua", u"Vista-like"});
    }
    std::vector<int32_t> Selected() const
    {
        std::vector<int32_t> selected;
        for (int32_t i = 0; i < view.View().GetContainer().GetSize(); ++i)
            if (view.Object(i).IsSelected())
                selected.push_back(i);
        return selected;
    }
    void ClickObjectItem(int32_t index, bool control)
    {
        frame.objectItem = uint32_t(index + 1) | 0x30000u; // the upper bits are the pane's own
        frame.controlHeld = control;
        commands.OnSelectObject();
    }
    CommandState GalleryState()
    {
        CommandState state;
        commands.OnUpdateStyleGallery(state);
        return state;
    }
    int32_t GalleryChoice() { return frame.GetRibbonIndex(CommandId::StyleGallery); }

    Themes themes;
    vx::test::PageViewHarness view;
    vx::test::FakeFrame frame;
    CMainFrameCommands commands{view.host, frame};
};

TEST_F(SelectionCommands, APlainClickSelectsOneObjectAndCtrlBuildsASelection)
{
    ClickObjectItem(1, false);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{1}));
    ClickObjectItem(3, true);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{1, 3}));
    ClickObjectItem(0, true);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{0, 1, 3}));
    // Ctrl on a selected object takes it out again.
    ClickObjectItem(1, true);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{0, 3}));
    ClickObjectItem(2, false);
    EXPECT_EQ(Selected(), (std::vector<int32_t>{2}));
    // A group item selects nothing, Ctrl or not.
    frame.objectItem = 0;
    frame.controlHeld = true;
    commands.OnSelectObject();
    EXPECT_TRUE(Selected().empty());
}

TEST_F(SelectionCommands, GalleryFollowsTheSelectionsStyles)
{
    view.Select({0, 3});
    EXPECT_TRUE(GalleryState().enabled);
    EXPECT_EQ(GalleryChoice(), 1);

    view.Select({0, 1});
    EXPECT_TRUE(GalleryState().enabled);
    EXPECT_EQ(GalleryChoice(), -1) << "the styles differ";

    view.Select({2});
    EXPECT_FALSE(GalleryState().enabled) << "a text has no style";
    EXPECT_EQ(GalleryChoice(), -1);

    view.Select({});
    EXPECT_FALSE(GalleryState().enabled) << "the page alone has no style";

    view.Select({1});
    EXPECT_TRUE(GalleryState().enabled);
    EXPECT_EQ(GalleryChoice(), 0);
}

TEST_F(SelectionCommands, GalleryIsDisabledWithoutAViewOrAnActiveWindow)
{
    view.Select({0});
    frame.active = false;
    EXPECT_FALSE(GalleryState().enabled);
    frame.active = true;
    view.host.activeView = nullptr;
    EXPECT_FALSE(GalleryState().enabled);
}

TEST_F(SelectionCommands, ChoosingAStyleRestylesTheSelectedObjectsThatHaveOne)
{
    view.Select({0, 2, 3});
    view.host.counts = {};
    const std::size_t steps = view.View().GetContainer().GetUndoStack().size();
    frame.indexes[CommandId::StyleGallery] = 0;
    commands.OnStyleGallery();
    for (const int32_t index : {0, 3})
        EXPECT_EQ(view.Object(index).GetStyleName(), u"Aqua") << index;
    EXPECT_EQ(view.Object(1).GetStyleName(), u"Aqua") << "a light is Aqua already";
    EXPECT_EQ(view.host.counts.refillFull, 1);
    EXPECT_TRUE(view.project.IsModified());
    // One undo step per restyled object.
    EXPECT_EQ(view.View().GetContainer().GetUndoStack().size(), steps + 2);

    // The gallery then shows the new style; with the text in the selection it shows none.
    EXPECT_TRUE(GalleryState().enabled);
    EXPECT_EQ(GalleryChoice(), -1);
    view.Select({0, 3});
    EXPECT_TRUE(GalleryState().enabled);
    EXPECT_EQ(GalleryChoice(), 0);
}

TEST_F(SelectionCommands, AGalleryIndexOutsideTheThemesChangesNothing)
{
    view.Select({0});
    for (const int32_t index : {-1, 2}) {
        frame.indexes[CommandId::StyleGallery] = index;
        commands.OnStyleGallery();
        EXPECT_EQ(view.Object(0).GetStyleName(), u"Vista-like");
    }
}

} // namespace
