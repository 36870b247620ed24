#pragma once
// The docked "Properties" pane: the properties of the active page view's selection
// (the selected objects, or the page when none is selected), one group per category,
// merged over a multiple selection, every edit written back to all selected items.
// The pane keeps raw pointers to the selected items only while they live: whoever
// removes an item, a page or the project tells the pane first, and the grid goes.

#include <QWidget>
#include <memory>
#include <span>

#include "editor/views/CEditorHost.h"

class CPropertyBase;
class CPropertyGrid;
class CPropertySelectedList;
class CSelectable;
class ISelectableContents;
struct DPropSelection;

class CPropertiesBar : public QWidget {
    Q_OBJECT
public:
    explicit CPropertiesBar(CEditorHost& host, QWidget* parent = nullptr);
    ~CPropertiesBar() override;

    // Builds the grid from the selection; in place (only for the same selection) keeps
    // the grid and refreshes the values of the items it finds again.
    void FillProperties(const CPropertySelectedList& selection, PropertiesRefill refill);
    // The same for a page view's selection, merged through the view.
    void FillProperties(const ISelectableContents& view, PropertiesRefill refill);
    // The visibility rules of the slider's tick placement and the list boxes' item size.
    static bool IsPropertyVisible(const CPropertyBase& property, const CSelectable& first);

    // The grid goes, and with it every pointer to the items it showed.
    void DropSelection();
    // Drops the grid when it shows item, or objects of item when item is their page.
    void OnSelectableGoing(const CSelectable& item);
    // The items the grid applies to; empty while nothing is shown.
    std::span<CSelectable* const> GetSelection() const;

    CPropertyGrid& Grid() const { return *m_grid; }

private:
    void Fill(const CPropertySelectedList& selection, PropertiesRefill refill, const ISelectableContents* view);
    void FillCategory(const CSelectable& first, std::u16string_view category, PropertiesRefill refill,
                      const ISelectableContents* view);

    CEditorHost& m_host;
    CPropertyGrid* m_grid = nullptr;
    std::shared_ptr<DPropSelection> m_selection;
};
