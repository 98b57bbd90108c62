#include "key_capture_dialog.h"

#include <QAbstractButton>
#include <QKeyEvent>

KeyCaptureDialog::KeyCaptureDialog(KeyboardHook::Instance instance, KeyboardHook::Callback callback,
                                   QWidget* parent)
    : QDialog(parent)
    , keyHook(new KeyboardHook(instance))
{
    keyHook->SetHook();
    keyHook->SetCallback(std::move(callback));
}

// The hook object removes its installation and the callback with it.
KeyCaptureDialog::~KeyCaptureDialog() = default;

void KeyCaptureDialog::done(int result)
{
    keyHook->UnHook();
    QDialog::done(result);
}

void KeyCaptureDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QDialog::keyPressEvent(event);
}

void KeyCaptureDialog::KeepKeysForCapture(QWidget* field)
{
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->setFocusPolicy(Qt::NoFocus);
    field->setFocus();
}
