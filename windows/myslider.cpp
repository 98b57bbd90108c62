#include "myslider.h"

#include <QCoreApplication>
#include <QMouseEvent>

MySlider::MySlider(QWidget* parent)
    : QSlider(parent)
{
}

MySlider::~MySlider() = default;

void MySlider::mousePressEvent(QMouseEvent* event)
{
    // The position is a fraction of the width; a slider without width (not
    // laid out yet) has no position to jump to.
    if (width() <= 0)
        return;

    // The base handler first, so a press on the handle still starts a drag.
    QSlider::mousePressEvent(event);

    const double jumped = minimum() + (maximum() - minimum()) * (double(event->x()) / width());
    setValue(int(jumped));

    if (QWidget* container = parentWidget()) {
        QEvent pressed{QEvent::Type(kPressedEventType)};
        QCoreApplication::sendEvent(container, &pressed);
    }
}
