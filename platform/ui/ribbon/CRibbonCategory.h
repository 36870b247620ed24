#pragma once
// One tab of the ribbon: captioned panels side by side.

#include <QString>
#include <QWidget>
#include <vector>

#include "platform/ui/ribbon/CRibbonBar.h"

class QHBoxLayout;
class CRibbonPanel;

class CRibbonCategory : public QWidget {
    Q_OBJECT
public:
    CRibbonCategory(CRibbonBar& bar, const QString& name, RibbonImages images);

    CRibbonPanel& AddPanel(const QString& caption);
    int PanelCount() const { return int(m_panels.size()); }
    CRibbonPanel& Panel(int index) const { return *m_panels[std::size_t(index)]; }
    CRibbonPanel* FindPanel(const QString& caption) const;

    // The tab caption, "&" included.
    const QString& Name() const { return m_name; }
    RibbonImages Images() const { return m_images; }
    CRibbonBar& Bar() const { return m_bar; }

private:
    CRibbonBar& m_bar;
    QString m_name;
    RibbonImages m_images;
    QHBoxLayout* m_row = nullptr;
    std::vector<CRibbonPanel*> m_panels;
};
