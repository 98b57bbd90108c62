// Base of the dialogs that take keys straight from the keyboard through one
// instance of the keyboard hook: the hook is installed from construction
// until the dialog closes by any route (buttons, Esc, the window system) or
// goes, and Esc and F12 are keys to capture rather than commands.
#ifndef KEY_CAPTURE_DIALOG_H
#define KEY_CAPTURE_DIALOG_H

#include "keyboard_hook.h"

#include <QDialog>

#include <memory>

class KeyCaptureDialog : public QDialog {
    Q_OBJECT
public:
    ~KeyCaptureDialog() override;

public slots:
    void done(int result) override;

protected:
    // Installs the instance and binds `callback` to it.
    KeyCaptureDialog(KeyboardHook::Instance instance, KeyboardHook::Callback callback, QWidget* parent);

    void keyPressEvent(QKeyEvent* event) override;

    // Every key belongs to the capture: gives `field` the focus and the
    // dialog's buttons none, so that no key also presses a button (Space on
    // a focused OK, Cancel or Close would end the dialog, or tick a box).
    // Call once the form is built.
    void KeepKeysForCapture(QWidget* field);

    std::unique_ptr<KeyboardHook> keyHook;
};

#endif // KEY_CAPTURE_DIALOG_H
