#pragma once
// A text label whose background is its parent's: the actions pane's parameter labels
// sit on a patterned background. A new text repaints the parent under the label first,
// so no part of a longer old text stays behind.

#include <QLabel>

class CTransparentStatic : public QLabel {
    Q_OBJECT
public:
    explicit CTransparentStatic(const QString& text = {}, QWidget* parent = nullptr);

    void SetText(const QString& text);
};
