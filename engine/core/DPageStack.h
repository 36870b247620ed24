#pragma once
// The pages of the project and which of them are shown: the base page drawn under every
// page, the current page (a pop-up lies over the page under it), and the page that has
// the key focus. Switching reads the new page and takes the old one down.

#include <cstdint>
#include <memory>
#include <vector>

class DPage;
class DProject;

enum class DPageJump { Relative = 0, Absolute = 1 };

class DPageStack {
public:
    explicit DPageStack(DProject& project);
    ~DPageStack();
    DPageStack(const DPageStack&) = delete;
    DPageStack& operator=(const DPageStack&) = delete;

    // The page table, in file order.
    void add(std::unique_ptr<DPage> page);
    std::size_t count() const { return m_pages.size(); }
    DPage* page(std::size_t index) const { return index < m_pages.size() ? m_pages[index].get() : nullptr; }

    // Shows the base page (a pop-up is none), then the start page.
    void start(int32_t basePage, int32_t startPage);
    // While a pop-up is over a page only the return to that page is honoured; a relative
    // step skips the base page; a request outside the table or for the shown page is ignored.
    void showPage(int32_t number, DPageJump jump);
    // Takes every page down; the table stays.
    void hideAll();
    // Empties the table.
    void clear();
    // Makes room for a page of the type about to be read: any page but a pop-up takes the
    // current page's place; the base page stays.
    void makeRoomFor(uint32_t pageType);

    DPage* basePage() const { return m_basePage; }
    DPage* currentPage() const { return m_currentPage; }
    DPage* focusPage() const { return m_focusPage; }
    int32_t currentIndex() const { return m_currentIndex; }
    int32_t previousIndex() const { return m_previousIndex; }

    // The old focus page loses the focus; the new one's goes to its initial widget.
    void moveFocusTo(DPage* page);
    // The focus moves between the base page and the current page.
    void changePageFocus();

    // The shown pages in drawing order, the base page first; none when not shown.
    DPage* lowerPage() const { return m_basePage; }
    DPage* upperPage() const { return m_currentPage == m_basePage ? nullptr : m_currentPage; }

private:
    void closePopup(DPage& popup);
    void openPopup(DPage& popup, int32_t under);
    // A page that can lie under a pop-up: in the table, not a pop-up, not the base page.
    bool isPageUnderPopup(int32_t index) const;

    DProject& m_project;
    std::vector<std::unique_ptr<DPage>> m_pages;
    DPage* m_basePage = nullptr;
    DPage* m_currentPage = nullptr;
    DPage* m_focusPage = nullptr;
    int32_t m_currentIndex = -1;
    int32_t m_previousIndex = -1;
};
