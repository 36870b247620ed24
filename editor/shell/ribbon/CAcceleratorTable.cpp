#include "editor/shell/ribbon/CAcceleratorTable.h"

#include <QShortcut>
#include <QWidget>

#include "diagram/CommandId.h"
#include "platform/ui/CommandTable.h"

namespace {

using C = CommandId;

constexpr AcceleratorRow kRows[] = {
    {Qt::CTRL | Qt::Key_C, ToInt(C::Copy)},
    {Qt::CTRL | Qt::Key_Insert, ToInt(C::Copy)},
    {Qt::CTRL | Qt::Key_X, ToInt(C::Cut)},
    {Qt::SHIFT | Qt::Key_Delete, ToInt(C::Cut)},
    {Qt::CTRL | Qt::Key_V, ToInt(C::Paste)},
    {Qt::SHIFT | Qt::Key_Insert, ToInt(C::Paste)},
    {Qt::CTRL | Qt::Key_D, ToInt(C::Clone)},
    {Qt::CTRL | Qt::Key_Z, ToInt(C::UndoKey)},
    {Qt::ALT | Qt::Key_Backspace, ToInt(C::UndoKey)},
    {Qt::CTRL | Qt::Key_Y, ToInt(C::RedoKey)},
    {Qt::CTRL | Qt::Key_N, ToInt(C::FileNew)},
    {Qt::CTRL | Qt::Key_O, ToInt(C::FileOpen)},
    {Qt::CTRL | Qt::Key_S, ToInt(C::FileSave)},
    {Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::Key_P, ToInt(C::SaveWorkingPreset)},
    {Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::Key_T, ToInt(C::SaveWorkingTags)},
};

} // namespace

std::span<const AcceleratorRow> CAcceleratorTable::Rows() { return kRows; }

void CAcceleratorTable::Install(QWidget& window, CommandTable& commands)
{
    for (const AcceleratorRow& row : kRows) {
        auto* shortcut = new QShortcut(QKeySequence(row.keys), &window);
        // Anywhere in the window, its panes and page windows included.
        shortcut->setContext(Qt::WindowShortcut);
        const int id = row.id;
        QObject::connect(shortcut, &QShortcut::activated, &window, [&commands, id] {
            // A disabled command's key does nothing, as its button would.
            if (commands.state(id).enabled)
                commands.execute(id);
        });
    }
}
