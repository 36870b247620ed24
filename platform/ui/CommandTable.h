#pragma once
// One table of the program's commands, keyed by command id. Each level of the window
// hierarchy (the active view, its frame, the main frame, the application) holds a target
// with the handlers it serves; a command goes to the first level, in that order, whose
// active target has it. A command nobody serves is disabled. Update handlers say
// whether a command is enabled or checked; they run in the idle pass.

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <optional>

class QAction;

enum class CommandLevel { View, ChildFrame, MainFrame, Application };
inline constexpr std::size_t kCommandLevels = 4;

// The kind of control a command stands behind on the ribbon.
enum class ControlKind { Button, Check, Combo, Edit, Slider, Color, Gallery, Label };

struct CommandState {
    bool enabled = true;
    std::optional<bool> checked;
    std::optional<QString> text;
};

class CommandTarget {
public:
    using Handler = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    struct Entry {
        Handler handler;
        Update update;
        ControlKind kind = ControlKind::Button;
    };

    // A handler without an update handler is always enabled.
    void add(int id, Handler handler, Update update = {}, ControlKind kind = ControlKind::Button);
    const Entry* find(int id) const;

private:
    std::map<int, Entry> m_entries;
};

class CommandTable : public QObject {
    Q_OBJECT
public:
    explicit CommandTable(QObject* parent = nullptr);
    ~CommandTable() override;

    // The target a level answers with now; none for a level with no active window. The
    // table does not own it; the owner clears it before it goes.
    void setActive(CommandLevel level, const CommandTarget* target);
    const CommandTarget* active(CommandLevel level) const { return m_active[std::size_t(level)]; }

    // The level that serves id now, or none.
    std::optional<CommandLevel> route(int id) const;
    // Runs the handler of the first level that serves id; false when none does.
    bool execute(int id) const;
    // Disabled when nobody serves id, else what its update handler says.
    CommandState state(int id) const;

    // The action of a command, made once; triggering it executes the command.
    QAction* action(int id, const QString& text = {});
    // Every action's state from the update handlers (the idle pass calls it).
    void updateActions();

private:
    std::array<const CommandTarget*, kCommandLevels> m_active{};
    std::map<int, QAction*> m_actions;
};
