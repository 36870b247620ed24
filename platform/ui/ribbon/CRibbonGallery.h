#pragma once
// A gallery of previews in a row, each with its name as tool tip. Choosing one runs the
// gallery's command; the chosen index is -1 when none is chosen.

#include <QListWidget>
#include <vector>

#include "platform/ui/ribbon/CRibbonPanel.h"

class CRibbonBar;

class CRibbonGallery : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kPreviewWidth = 64;
    static constexpr int kPreviewHeight = 48;

    CRibbonGallery(CRibbonBar& bar, int id, const std::vector<RibbonGalleryItem>& items);

    int ChosenIndex() const;
    // The item whose name is name, or none (-1) for an empty or unknown name.
    void ChooseByName(const QString& name);
    void Choose(int index);

private:
    CRibbonBar& m_bar;
    int m_id;
};
