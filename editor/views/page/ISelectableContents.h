#pragma once
// What the panes and the ribbon handlers reach of a page view's selection: the selected
// objects, or the page itself when none is selected, and one property merged over them.

#include <string_view>

class CPropertySelectedList;

class ISelectableContents {
public:
    virtual ~ISelectableContents() = default;

    // Whether any object of the page is selected.
    virtual bool IsAnySelected() const = 0;
    // The selected objects in container order, or the page when none is selected.
    virtual void GetSelection(CPropertySelectedList& list) const = 0;
    // Merges the property (containerName "Properties" or "Format") of every selected
    // object, in container order, into list, and adds each object to its items.
    virtual void CollectProperty(std::u16string_view containerName, std::u16string_view category,
                                 std::u16string_view caption, CPropertySelectedList& list) const = 0;
};
