#include "platform/ui/CommandTable.h"

#include <QAction>

void CommandTarget::add(int id, Handler handler, Update update, ControlKind kind)
{
    m_entries[id] = Entry{std::move(handler), std::move(update), kind};
}

const CommandTarget::Entry* CommandTarget::find(int id) const
{
    const auto found = m_entries.find(id);
    return found == m_entries.end() || !found->second.handler ? nullptr : &found->second;
}

CommandTable::CommandTable(QObject* parent) : QObject(parent) {}

CommandTable::~CommandTable() = default;

void CommandTable::setActive(CommandLevel level, const CommandTarget* target) { m_active[std::size_t(level)] = target; }

std::optional<CommandLevel> CommandTable::route(int id) const
{
    for (std::size_t level = 0; level < kCommandLevels; ++level)
        if (m_active[level] && m_active[level]->find(id))
            return CommandLevel(level);
    return std::nullopt;
}

bool CommandTable::execute(int id) const
{
    const auto level = route(id);
    if (!level)
        return false;
    // A copy: the handler may close the window whose target holds it.
    const CommandTarget::Handler handler = m_active[std::size_t(*level)]->find(id)->handler;
    handler();
    return true;
}

CommandState CommandTable::state(int id) const
{
    CommandState state;
    const auto level = route(id);
    if (!level) {
        state.enabled = false;
        return state;
    }
    if (const auto& update = m_active[std::size_t(*level)]->find(id)->update)
        update(state);
    return state;
}

QAction* CommandTable::action(int id, const QString& text)
{
    if (const auto found = m_actions.find(id); found != m_actions.end())
        return found->second;
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, [this, id] { execute(id); });
    m_actions.emplace(id, action);
    return action;
}

void CommandTable::updateActions()
{
    for (const auto& [id, action] : m_actions) {
        const CommandState now = state(id);
        action->setEnabled(now.enabled);
        action->setCheckable(now.checked.has_value());
        if (now.checked)
            action->setChecked(*now.checked);
        if (now.text)
            action->setText(*now.text);
    }
}
