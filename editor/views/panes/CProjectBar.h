#pragma once
// The project pane: the project's pages as a tree under the root "Project". A click on
// a page activates its window, a double click opens it; pages are reordered by dragging
// and renamed by editing their labels; the context menus offer the page commands,
// which the main frame serves. The pane keeps no page: every item names its page by
// index, looked up in the host's project when it is used.

#include <cstdint>
#include <span>
#include <string_view>

#include "editor/views/icons/CEditorIcons.h"
#include "editor/views/panes/CTreePane.h"

class CPage;
class CPageWindows;

class CProjectBar : public CTreePane {
    Q_OBJECT
public:
    static constexpr int kTreeId = 112;
    static constexpr std::u16string_view kRootText = u"Project";
    static constexpr int32_t kRootImage = CEditorIcons::kProjectImage;
    // A page item's image is its page type plus this.
    static constexpr int32_t kPageImageBase = 2;

    // Both outlive the pane.
    CProjectBar(CEditorHost& host, CommandTable& commands, QWidget* parent = nullptr);
    ~CProjectBar() override;

    // The page items follow the project (texts and images in place, missing ones
    // added, surplus ones removed), the item of page select (-1: none) is selected
    // and shown; then the project is marked modified. Without a project the tree is
    // emptied.
    void Rebuild(int32_t select = -1);
    // Expands the root, selects its first page and posts the open-page command; false
    // when the project has no pages.
    bool SelectFirstPage();
    // Selects and shows the first page item with exactly that text; false when none.
    bool SelectPageByName(std::u16string_view name);

    // The selected page, or none (no project, the root selected, nothing selected).
    int32_t GetSelectedPageIndex() const;
    CPage* GetSelectedPage() const;
    bool IsPageItemSelected() const;
    // Edits the selected page's label (F2, or the main frame's rename command).
    bool StartLabelEdit();

    // The context menus: for the root (162) and for a page (161).
    static std::span<const PaneMenuItem> RootMenu();
    static std::span<const PaneMenuItem> PageMenu();
    // Who retitles a renamed page's open window; none leaves the titles alone.
    void SetPageWindows(CPageWindows* windows) { m_windows = windows; }

protected:
    void OnClicked(QTreeWidgetItem* item) override;
    void OnDoubleClicked(QTreeWidgetItem* item) override;
    std::span<const PaneMenuItem> MenuFor(QTreeWidgetItem* item) const override;
    bool OnDragStarted(QTreeWidgetItem* item) override;
    void OnDraggedOver(QTreeWidgetItem* item) override;
    void OnDragEnded() override { m_draggedPage = -1; }
    bool OnEndLabelEdit(QTreeWidgetItem& item, const QString& text) override;

private:
    QTreeWidgetItem* root() const;
    // The page an item names in the host's project, or none.
    CPage* pageOf(const QTreeWidgetItem* item) const;

    CPageWindows* m_windows = nullptr;
    // The page being dragged, by index; -1 when none.
    int32_t m_draggedPage = -1;
};
