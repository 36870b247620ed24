#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/shell/ribbon/CAcceleratorTable.h"
#include "platform/ui/CommandTable.h"

namespace {

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    CommandId command;
};

const KeyCase kKeys[] = {
    {Qt::Key_C, Qt::ControlModifier, CommandId::Copy},
    {Qt::Key_Insert, Qt::ControlModifier, CommandId::Copy},
    {Qt::Key_X, Qt::ControlModifier, CommandId::Cut},
    {Qt::Key_Delete, Qt::ShiftModifier, CommandId::Cut},
    {Qt::Key_V, Qt::ControlModifier, CommandId::Paste},
    {Qt::Key_Insert, Qt::ShiftModifier, CommandId::Paste},
    {Qt::Key_D, Qt::ControlModifier, CommandId::Clone},
    {Qt::Key_Z, Qt::ControlModifier, CommandId::UndoKey},
    {Qt::Key_Backspace, Qt::AltModifier, CommandId::UndoKey},
    {Qt::Key_Y, Qt::ControlModifier, CommandId::RedoKey},
    {Qt::Key_N, Qt::ControlModifier, CommandId::FileNew},
    {Qt::Key_O, Qt::ControlModifier, CommandId::FileOpen},
    {Qt::Key_S, Qt::ControlModifier, CommandId::FileSave},
    {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, CommandId::SaveWorkingPreset},
    {Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, CommandId::SaveWorkingTags},
};

// A main window with a child that has the focus, its accelerators over a table that
// records the commands it runs.
struct AcceleratorFixture : testing::Test {
    CommandTable table;
    CommandTarget target;
    QWidget window;
    QWidget* child = new QWidget(&window);
    std::vector<int> ran;
    bool saveEnabled = true;

    AcceleratorFixture()
    {
        for (const AcceleratorRow& row : CAcceleratorTable::Rows()) {
            const int id = row.id;
            target.add(id, [this, id] { ran.push_back(id); });
        }
        target.add(ToInt(CommandId::FileSave), [this] { ran.push_back(ToInt(CommandId::FileSave)); },
                   [this](CommandState& state) { state.enabled = saveEnabled; });
        table.setActive(CommandLevel::MainFrame, &target);
        auto* layout = new QVBoxLayout(&window);
        child->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(child);
        CAcceleratorTable::Install(window, table);
        window.show();
        QApplication::setActiveWindow(&window);
        child->setFocus();
    }
};

TEST_F(AcceleratorFixture, EveryKeyRunsItsCommand)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(CAcceleratorTable::Rows().size(), std::size(kKeys));
    for (const KeyCase& key : kKeys) {
        SCOPED_TRACE(ToInt(key.command));
        ran.clear();
        QTest::keyClick(child, key.key, key.modifiers);
        EXPECT_EQ(ran, std::vector<int>{ToInt(key.command)});
    }
}

TEST_F(AcceleratorFixture, TheKeyOfADisabledCommandDoesNothing)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    saveEnabled = false;
    QTest::keyClick(child, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(child, Qt::Key_S);
    EXPECT_TRUE(ran.empty());
}

} // namespace
