#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "platform/ui/ribbon/CRibbonBar.h"

CRibbonQuickAccessBar::CRibbonQuickAccessBar(CRibbonBar& bar) : QToolBar(&bar), m_bar(bar)
{
    setObjectName(QStringLiteral("quickAccessBar"));
    setIconSize(QSize(16, 16));
    setMovable(false);
    m_menu = new QMenu(tr("Customize Quick Access Toolbar"), this);
    auto* customize = new QToolButton(this);
    customize->setObjectName(QStringLiteral("quickAccessCustomize"));
    customize->setArrowType(Qt::DownArrow);
    customize->setAutoRaise(true);
    customize->setPopupMode(QToolButton::InstantPopup);
    customize->setMenu(m_menu);
    addWidget(customize)->setObjectName(QStringLiteral("quickAccessCustomizeAction"));
    rebuildMenu();
}

const CRibbonQuickAccessBar::Entry* CRibbonQuickAccessBar::find(int id) const
{
    for (const Entry& entry : m_entries)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

void CRibbonQuickAccessBar::AddCommand(int id, QuickAccessPlace place)
{
    if (find(id)) {
        SetPlace(id, place);
        return;
    }
    const CRibbonCommand* command = m_bar.FindCommand(id);
    const QString label = command ? command->label : QString::number(id);
    const QIcon icon = command ? command->icon : QIcon();
    auto* button = new QAction(icon, label, this);
    button->setToolTip(label);
    connect(button, &QAction::triggered, this, [this, id] { m_bar.Execute(id, nullptr); });
    // Buttons go before the customise arrow, in the order they were added.
    QAction* before = actions().isEmpty() ? nullptr : actions().last();
    QAction* where = button;
    if (command && command->actionList == RibbonActionList::Steps)
        where = addStepsButton(id, button, before);
    else
        insertAction(before, button);
    where->setVisible(place == QuickAccessPlace::Shown);
    m_bar.RegisterAction(id, button);
    auto* choice = new QAction(label, this);
    choice->setCheckable(true);
    choice->setChecked(place == QuickAccessPlace::Shown);
    connect(choice, &QAction::toggled, this, [this, id](bool shown) {
        SetPlace(id, shown ? QuickAccessPlace::Shown : QuickAccessPlace::Listed);
    });
    m_entries.push_back({id, where, button, choice});
    rebuildMenu();
}

QAction* CRibbonQuickAccessBar::addStepsButton(int id, QAction* button, QAction* before)
{
    auto* tool = new QToolButton(this);
    tool->setDefaultAction(button);
    tool->setAutoRaise(true);
    tool->setPopupMode(QToolButton::MenuButtonPopup);
    auto* list = new QMenu(tool);
    list->setObjectName(QStringLiteral("steps%1").arg(id));
    // The list is the history as it is when it opens.
    connect(list, &QMenu::aboutToShow, this, [this, id, list] {
        list->clear();
        const QStringList labels = m_bar.ActionListLabels(id);
        for (int k = 0; k < labels.size(); ++k)
            list->addAction(labels[k], this, [this, id, k] { m_bar.ExecuteSteps(id, k + 1); });
    });
    tool->setMenu(list);
    return insertWidget(before, tool);
}

void CRibbonQuickAccessBar::SetPlace(int id, QuickAccessPlace place)
{
    const Entry* entry = find(id);
    if (!entry)
        return;
    const bool shown = place == QuickAccessPlace::Shown;
    entry->place->setVisible(shown);
    if (entry->choice->isChecked() != shown)
        entry->choice->setChecked(shown);
}

bool CRibbonQuickAccessBar::IsShown(int id) const
{
    const Entry* entry = find(id);
    return entry && entry->place->isVisible();
}

std::vector<int> CRibbonQuickAccessBar::CommandIds() const
{
    std::vector<int> ids;
    for (const Entry& entry : m_entries)
        ids.push_back(entry.id);
    return ids;
}

std::vector<int> CRibbonQuickAccessBar::ShownCommandIds() const
{
    std::vector<int> ids;
    // In the order the bar shows them.
    for (QAction* action : actions())
        for (const Entry& entry : m_entries)
            if (entry.place == action && action->isVisible())
                ids.push_back(entry.id);
    return ids;
}

void CRibbonQuickAccessBar::SetShownCommands(const std::vector<int>& ids)
{
    for (const Entry& entry : m_entries)
        SetPlace(entry.id, QuickAccessPlace::Listed);
    QAction* customize = actions().last();
    for (int id : ids) {
        if (!find(id))
            AddCommand(id, QuickAccessPlace::Shown);
        const Entry* entry = find(id);
        removeAction(entry->place);
        insertAction(customize, entry->place);
        SetPlace(id, QuickAccessPlace::Shown);
    }
}

QAction* CRibbonQuickAccessBar::ButtonAction(int id) const
{
    const Entry* entry = find(id);
    return entry ? entry->button : nullptr;
}

void CRibbonQuickAccessBar::rebuildMenu()
{
    m_menu->clear();
    m_menu->addSection(tr("Customize Quick Access Toolbar"));
    for (const Entry& entry : m_entries)
        m_menu->addAction(entry.choice);
    m_menu->addSeparator();
    m_menu->addAction(tr("&More Commands..."), this, [this] { m_bar.RequestCustomize(); });
}
