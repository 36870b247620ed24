#pragma once
// Our property list: a tree of groups and items, the item's name in the first column
// and its editor in the second, and below it the description of the current item.

#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class DProp;
class QLabel;
class QModelIndex;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

class CPropertyGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNameColumn = 0;
    static constexpr int kValueColumn = 1;
    static constexpr int kNameColumnWidth = 100;

    explicit CPropertyGrid(QWidget* parent = nullptr);
    ~CPropertyGrid() override;

    // The grid takes the items (as their parent object); a group of that name is
    // appended, or its items go to the top level for an empty name.
    void AddGroup(std::u16string_view name, std::vector<std::unique_ptr<DProp>> items);
    // Every item goes; items are retired at once and deleted once their signals are done.
    void RemoveAll();

    // The item of that name in that group (empty: the top level), first match; none.
    DProp* FindItem(std::u16string_view group, std::u16string_view name) const;
    bool HasGroup(std::u16string_view name) const;
    std::vector<std::u16string> GroupNames() const;
    // Every item, in grid order.
    std::vector<DProp*> Items() const;
    bool IsEmpty() const { return m_groups.empty(); }

    QTreeView* View() const { return m_view; }
    QLabel* Description() const { return m_description; }

private:
    struct Group {
        std::u16string name;
        QStandardItem* row = nullptr;   // none for the top level
        std::vector<DProp*> items;
        std::vector<QStandardItem*> cells;   // the items' name cells, in step with items
    };

    DProp* ItemAt(const QModelIndex& index) const;

    void ShowDescription(const DProp* item);
    void OnFocusChanged(QWidget* now);

    QTreeView* m_view = nullptr;
    QStandardItemModel* m_model = nullptr;
    QLabel* m_description = nullptr;
    std::vector<Group> m_groups;
};
