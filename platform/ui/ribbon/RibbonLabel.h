#pragma once
// A ribbon label may carry its key tip after a line feed: "Paste\nv" shows "Paste" and
// answers the key tip v.

#include <QString>

struct RibbonLabel {
    QString text;
    QString keyTip;
};

RibbonLabel SplitRibbonLabel(const QString& label);

class QWidget;
// Keeps a label's key tip on its control, for the key tips the ribbon shows.
void markKeyTip(QWidget* widget, const RibbonLabel& label);
