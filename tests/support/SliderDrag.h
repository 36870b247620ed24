#pragma once
// A person's drag on a slider: press on its handle, move the mouse (calling during() with
// the button held), release at the far end or past it.

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace vx::test {

inline void sendMouse(QSlider& slider, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, slider.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&slider, &event);
}

// Drags a horizontal slider's handle to x (in the slider's coordinates).
template <class During>
void dragSlider(QSlider& slider, int x, During&& during)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = option.sliderValue = slider.value();
    const QRect handle = slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
    const int y = handle.center().y();
    sendMouse(slider, QEvent::MouseButtonPress, handle.center(), Qt::LeftButton);
    sendMouse(slider, QEvent::MouseMove, QPoint((handle.center().x() + x) / 2, y), Qt::LeftButton);
    during();
    sendMouse(slider, QEvent::MouseMove, QPoint(x, y), Qt::LeftButton);
    sendMouse(slider, QEvent::MouseButtonRelease, QPoint(x, y), Qt::NoButton);
}

inline void dragSlider(QSlider& slider, int x)
{
    dragSlider(slider, x, [] {});
}

} // namespace vx::test
