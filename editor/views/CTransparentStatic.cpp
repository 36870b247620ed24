#include "editor/views/CTransparentStatic.h"

CTransparentStatic::CTransparentStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void CTransparentStatic::SetText(const QString& text)
{
    if (QWidget* parent = parentWidget())
        parent->repaint(geometry());
    setText(text);
}
