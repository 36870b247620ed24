#include "platform/ui/ribbon/RibbonLabel.h"

RibbonLabel SplitRibbonLabel(const QString& label)
{
    const qsizetype feed = label.indexOf(u'\n');
    if (feed < 0)
        return {label, {}};
    return {label.left(feed), label.mid(feed + 1)};
}
