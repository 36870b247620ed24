#pragma once
// The quick access bar over the tabs: the commands it knows, each shown on the bar or
// only listed in its customise menu, where the user shows and hides them.

#include <QToolBar>
#include <vector>

class CRibbonBar;
class QMenu;

enum class QuickAccessPlace { Listed, Shown };

class CRibbonQuickAccessBar : public QToolBar {
    Q_OBJECT
public:
    explicit CRibbonQuickAccessBar(CRibbonBar& bar);

    // Label and icon come from the ribbon's list of commands.
    void AddCommand(int id, QuickAccessPlace place);
    void SetPlace(int id, QuickAccessPlace place);
    bool IsShown(int id) const;
    std::vector<int> CommandIds() const;
    std::vector<int> ShownCommandIds() const;
    // Shows exactly ids, in their order; commands not known yet are added.
    void SetShownCommands(const std::vector<int>& ids);

    QMenu* CustomizeMenu() const { return m_menu; }
    QAction* ButtonAction(int id) const;

private:
    struct Entry {
        int id;
        QAction* place;   // its place on the bar, shown or hidden
        QAction* button;  // what runs the command
        QAction* choice;  // the check item of the customise menu
    };
    QAction* addStepsButton(int id, QAction* button, QAction* before);
    void rebuildMenu();
    const Entry* find(int id) const;

    CRibbonBar& m_bar;
    QMenu* m_menu = nullptr;
    std::vector<Entry> m_entries;
};
