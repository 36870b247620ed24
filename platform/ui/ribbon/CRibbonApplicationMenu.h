#pragma once
// The application button's menu: commands (some with sub-items), the recent-files list
// and the commands at its bottom. An item with sub-items still runs its own command when
// it is clicked.

#include <QMenu>
#include <QString>
#include <QStringList>
#include <functional>

class CRibbonBar;

class CRibbonApplicationMenu : public QMenu {
    Q_OBJECT
public:
    explicit CRibbonApplicationMenu(CRibbonBar& bar);

    // image indexes the main category's strip; -1 is no image.
    QAction* AddCommand(int id, const QString& label, int image);
    // An item running id whose sub-items are added to the returned menu.
    QMenu* AddSubMenu(int id, const QString& label, int image);
    void AddSubLabel(QMenu& menu, const QString& label);
    QAction* AddSubCommand(QMenu& menu, int id, const QString& label, int image = -1);
    void AddSeparatorItem();
    // The place of the recent-files list, under its title.
    void AddRecentFiles(const QString& title);
    void SetRecentFiles(const QStringList& paths);
    QStringList RecentFiles() const { return m_recentFiles; }
    void SetRecentFileHandler(std::function<void(const QString&)> handler) { m_openRecent = std::move(handler); }
    void OpenRecentFile(int index);
    // The commands below the list (Options, Exit).
    QAction* AddBottomCommand(int id, const QString& label, int image);

    QAction* FindItem(int id) const;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QAction* makeAction(int id, const QString& label, int image, QObject* parent);
    void fillRecent();

    CRibbonBar& m_bar;
    QMenu* m_recentMenu = nullptr;
    QStringList m_recentFiles;
    std::function<void(const QString&)> m_openRecent;
    std::vector<QAction*> m_bottom;
};
