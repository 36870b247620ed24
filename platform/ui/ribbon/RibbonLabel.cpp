#include "platform/ui/ribbon/RibbonLabel.h"

#include <QWidget>

#include "platform/ui/ribbon/CRibbonKeyTips.h"

RibbonLabel SplitRibbonLabel(const QString& label)
{
    const qsizetype feed = label.indexOf(u'\n');
    if (feed < 0)
        return {label, {}};
    return {label.left(feed), label.mid(feed + 1)};
}

void markKeyTip(QWidget* widget, const RibbonLabel& label)
{
    if (!label.keyTip.isEmpty())
        widget->setProperty(CRibbonKeyTips::kProperty, label.keyTip);
}
