#include "engine/tagmonitor/qt/CTitleTip.h"

CTitleTip::CTitleTip(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
{
    setObjectName(QStringLiteral("ZTitleTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
}

void CTitleTip::showOver(const QRect& rect, const QString& text, const QFont& font, const QColor& background)
{
    setFont(font);
    setText(text);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    const int width = std::max(rect.width(), fontMetrics().horizontalAdvance(text) + 2 * frameWidth() + 6);
    setGeometry(rect.x(), rect.y(), width, rect.height());
    show();
}
