#include "platform/ui/ribbon/CRibbonCategory.h"

#include <QHBoxLayout>

#include "platform/ui/ribbon/CRibbonPanel.h"

CRibbonCategory::CRibbonCategory(CRibbonBar& bar, const QString& name, RibbonImages images)
    : QWidget(&bar), m_bar(bar), m_name(name), m_images(images)
{
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(2, 2, 2, 2);
    m_row->setSpacing(2);
    m_row->addStretch(1);
}

CRibbonPanel& CRibbonCategory::AddPanel(const QString& caption)
{
    auto* panel = new CRibbonPanel(*this, caption);
    m_row->insertWidget(m_row->count() - 1, panel);
    m_panels.push_back(panel);
    return *panel;
}

CRibbonPanel* CRibbonCategory::FindPanel(const QString& caption) const
{
    for (CRibbonPanel* panel : m_panels)
        if (panel->Caption() == caption)
            return panel;
    return nullptr;
}
