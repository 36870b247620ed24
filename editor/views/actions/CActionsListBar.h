#pragma once
// The "Actions list" pane: every action the user can insert, as a tree of categories.
// A double click on an action inserts it into the actions pane through the editor host.

#include <QWidget>
#include <cstdint>

class CEditorHost;
class QTreeWidget;
class QTreeWidgetItem;

class CActionsListBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int32_t kTreeId = 262;
    // Category items carry this in place of a command id.
    static constexpr int32_t kCategoryData = -1;

    explicit CActionsListBar(CEditorHost& host, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_tree; }
    // The category item by caption, and its action item by caption; none.
    QTreeWidgetItem* FindItem(const QString& category, const QString& action = {}) const;
    // An item's command id; kCategoryData for a category.
    static int32_t ItemData(const QTreeWidgetItem* item);

    // The item becomes the selected and current one; a double click then inserts it.
    void OnClick(QTreeWidgetItem* item);
    void OnDoubleClick(QTreeWidgetItem* item);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Fill();

    CEditorHost& m_host;
    QTreeWidget* m_tree = nullptr;
};
