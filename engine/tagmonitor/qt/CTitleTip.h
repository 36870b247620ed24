#pragma once
// The tip that shows a cell's whole text where it does not fit the cell: laid over the
// cell in its font and colours. It takes neither the focus nor the mouse, so a click
// on it reaches the cell beneath.

#include <QLabel>

class CTitleTip : public QLabel {
    Q_OBJECT
public:
    explicit CTitleTip(QWidget* owner);
    // Shows text at rect (global coordinates), as wide as the text needs.
    void showOver(const QRect& rect, const QString& text, const QFont& font, const QColor& background);
};
