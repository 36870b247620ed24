#include "platform/ui/ribbon/CRibbonApplicationMenu.h"

#include <QFileInfo>
#include <QMouseEvent>

#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

QString withoutKeyTip(const QString& label)
{
    const qsizetype feed = label.indexOf(u'\n');
    return feed < 0 ? label : label.left(feed);
}

} // namespace

CRibbonApplicationMenu::CRibbonApplicationMenu(CRibbonBar& bar) : QMenu(&bar), m_bar(bar)
{
    setObjectName(QStringLiteral("applicationMenu"));
}

QAction* CRibbonApplicationMenu::makeAction(int id, const QString& label, int image, QObject* parent)
{
    const QIcon icon = m_bar.Image(property("smallStrip").toInt(), image);
    auto* action = new QAction(icon, withoutKeyTip(label), parent);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { m_bar.Execute(id, nullptr); });
    m_bar.RegisterAction(id, action);
    m_bar.RegisterCommand(id, label, icon);
    return action;
}

QAction* CRibbonApplicationMenu::AddCommand(int id, const QString& label, int image)
{
    QAction* action = makeAction(id, label, image, this);
    addAction(action);
    return action;
}

QMenu* CRibbonApplicationMenu::AddSubMenu(int id, const QString& label, int image)
{
    auto* menu = new QMenu(withoutKeyTip(label), this);
    const QIcon icon = m_bar.Image(property("smallStrip").toInt(), image);
    menu->setIcon(icon);
    QAction* action = menu->menuAction();
    action->setData(id);
    addAction(action);
    m_bar.RegisterAction(id, action);
    m_bar.RegisterCommand(id, label, icon);
    return menu;
}

void CRibbonApplicationMenu::AddSubLabel(QMenu& menu, const QString& label) { menu.addSection(label); }

QAction* CRibbonApplicationMenu::AddSubCommand(QMenu& menu, int id, const QString& label, int image)
{
    QAction* action = makeAction(id, label, image, &menu);
    menu.addAction(action);
    return action;
}

void CRibbonApplicationMenu::AddSeparatorItem() { addSeparator(); }

void CRibbonApplicationMenu::AddRecentFiles(const QString& title)
{
    m_recentMenu = addMenu(title);
    m_recentMenu->setObjectName(QStringLiteral("recentFiles"));
    fillRecent();
}

void CRibbonApplicationMenu::SetRecentFiles(const QStringList& paths)
{
    m_recentFiles = paths;
    fillRecent();
}

void CRibbonApplicationMenu::fillRecent()
{
    if (!m_recentMenu)
        return;
    m_recentMenu->clear();
    for (int index = 0; index < m_recentFiles.size(); ++index) {
        // "1 name.vxp", as the list numbers its entries.
        const QString text = QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(m_recentFiles[index]).fileName());
        QAction* action = m_recentMenu->addAction(text);
        action->setToolTip(m_recentFiles[index]);
        connect(action, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
    }
    m_recentMenu->setEnabled(!m_recentFiles.isEmpty());
}

void CRibbonApplicationMenu::OpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.size() || !m_openRecent)
        return;
    // A copy: opening may change the list.
    const QString path = m_recentFiles[index];
    m_openRecent(path);
}

QAction* CRibbonApplicationMenu::AddBottomCommand(int id, const QString& label, int image)
{
    if (m_bottom.empty())
        addSeparator();
    QAction* action = AddCommand(id, label, image);
    m_bottom.push_back(action);
    return action;
}

QAction* CRibbonApplicationMenu::FindItem(int id) const
{
    const QList<QMenu*> menus = findChildren<QMenu*>();
    for (QAction* action : actions())
        if (action->data().isValid() && action->data().toInt() == id)
            return action;
    for (const QMenu* menu : menus)
        for (QAction* action : menu->actions())
            if (action->data().isValid() && action->data().toInt() == id)
                return action;
    return nullptr;
}

void CRibbonApplicationMenu::mouseReleaseEvent(QMouseEvent* event)
{
    // An item with sub-items runs its own command on a click, as on the original ribbon.
    QAction* action = actionAt(event->position().toPoint());
    if (action && action->menu() && action->data().isValid() && action->isEnabled()) {
        const int id = action->data().toInt();
        close();
        m_bar.Execute(id, nullptr);
        return;
    }
    QMenu::mouseReleaseEvent(event);
}
