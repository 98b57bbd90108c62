#include "mylineedit.h"

MyLineEdit::MyLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

MyLineEdit::~MyLineEdit() = default;

// Left accepted, so the keys do not reach the parent either.
void MyLineEdit::keyPressEvent(QKeyEvent*)
{
}

void MyLineEdit::keyReleaseEvent(QKeyEvent*)
{
}
