#include <gtest/gtest.h>

#include <QAction>
#include <memory>
#include <vector>

#include "platform/ui/CommandTable.h"

namespace {

constexpr int kSave = 57603;
constexpr int kZoom = 33001;
constexpr int kNobody = 40000;

struct Levels {
    CommandTable table;
    CommandTarget view, frame, main, application;
    std::vector<std::string> ran;

    Levels()
    {
        view.add(kZoom, [this] { ran.push_back("view zoom"); });
        main.add(kZoom, [this] { ran.push_back("main zoom"); });
        application.add(kSave, [this] { ran.push_back("app save"); });
        table.setActive(CommandLevel::View, &view);
        table.setActive(CommandLevel::ChildFrame, &frame);
        table.setActive(CommandLevel::MainFrame, &main);
        table.setActive(CommandLevel::Application, &application);
    }
};

TEST(CommandTable, ACommandGoesToTheFirstLevelThatServesIt)
{
    Levels levels;
    EXPECT_EQ(levels.table.route(kZoom), CommandLevel::View);
    EXPECT_EQ(levels.table.route(kSave), CommandLevel::Application);
    EXPECT_TRUE(levels.table.execute(kZoom));
    // The view closes: the main frame answers.
    levels.table.setActive(CommandLevel::View, nullptr);
    EXPECT_TRUE(levels.table.execute(kZoom));
    EXPECT_EQ(levels.ran, (std::vector<std::string>{"view zoom", "main zoom"}));
}

TEST(CommandTable, ACommandNobodyServesIsDisabledAndDoesNothing)
{
    Levels levels;
    EXPECT_FALSE(levels.table.route(kNobody));
    EXPECT_FALSE(levels.table.execute(kNobody));
    EXPECT_FALSE(levels.table.state(kNobody).enabled);
    // Listed without a handler is the same as not listed.
    levels.frame.add(kNobody, {});
    EXPECT_FALSE(levels.table.state(kNobody).enabled);
}

TEST(CommandTable, ActionsFollowTheUpdateHandlersInTheIdlePass)
{
    Levels levels;
    bool modified = false;
    levels.application.add(
        kSave, [] {}, [&](CommandState& state) { state.enabled = modified; });
    levels.view.add(
        kZoom, [] {}, [](CommandState& state) { state.checked = true; }, ControlKind::Check);
    QAction* save = levels.table.action(kSave, QStringLiteral("Save"));
    QAction* zoom = levels.table.action(kZoom);
    QAction* nobody = levels.table.action(kNobody);
    EXPECT_EQ(levels.table.action(kSave), save);
    levels.table.updateActions();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_FALSE(nobody->isEnabled());
    modified = true;
    levels.table.updateActions();
    EXPECT_TRUE(save->isEnabled());
}

TEST(CommandTable, TriggeringAnActionRunsItsCommandEvenWhenTheHandlerClosesItsTarget)
{
    CommandTable table;
    auto view = std::make_unique<CommandTarget>();
    int closed = 0;
    view->add(kZoom, [&] {
        table.setActive(CommandLevel::View, nullptr);
        view.reset();
        ++closed;
    });
    table.setActive(CommandLevel::View, view.get());
    table.action(kZoom)->trigger();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(table.route(kZoom));
}

} // namespace
