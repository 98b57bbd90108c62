#include "mytoolbutton.h"

#include <QMouseEvent>

MyToolButton::MyToolButton(QWidget* parent)
    : QToolButton(parent)
{
}

MyToolButton::~MyToolButton() = default;

// The base handlers are left out on purpose: the button never goes down,
// never repeats and never clicks on release.
void MyToolButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setChecked(true);
    emit clicked(false);
}

void MyToolButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setChecked(true);
    emit clicked(true);
}
