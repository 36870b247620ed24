#pragma once
// The ribbon's customisation page in a dialog without an apply button: a category of
// commands on the left, the quick access bar's shown commands on the right, "Add >>" and
// "<< Remove" between them. OK gives the bar the commands on the right.

#include <QDialog>
#include <QString>
#include <vector>

class CRibbonBar;
class QComboBox;
class QListWidget;
class QPushButton;

struct RibbonCommandCategory {
    QString name;
    std::vector<int> ids;
};

class CRibbonCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    CRibbonCustomizeDialog(CRibbonBar& bar, const QString& title, std::vector<RibbonCommandCategory> categories,
                           QWidget* parent = nullptr);

    int CategoryCount() const { return int(m_categories.size()); }
    const RibbonCommandCategory& Category(int index) const { return m_categories[std::size_t(index)]; }
    void ShowCategory(int index);
    // The commands the left list shows now, and those the quick access bar will show.
    std::vector<int> ListedCommands() const;
    std::vector<int> ChosenCommands() const { return m_chosen; }
    void AddCommand(int id);
    void RemoveCommand(int id);
    // What OK does.
    void Apply();

    QListWidget* CommandList() const { return m_commands; }
    QListWidget* ChosenList() const { return m_chosenList; }

private:
    void fillChosen();

    CRibbonBar& m_bar;
    std::vector<RibbonCommandCategory> m_categories;
    std::vector<int> m_chosen;
    QComboBox* m_category = nullptr;
    QListWidget* m_commands = nullptr;
    QListWidget* m_chosenList = nullptr;
};
