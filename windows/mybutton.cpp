#include "mybutton.h"

MyButton::MyButton(QWidget* parent)
    : QPushButton(parent)
{
}

MyButton::~MyButton() = default;

void MyButton::enterEvent(QEvent*)
{
    setCursor(Qt::PointingHandCursor);
}

void MyButton::leaveEvent(QEvent*)
{
    setCursor(Qt::ArrowCursor);
}
