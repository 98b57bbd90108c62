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

    std::unique_ptr<KeyboardHook> keyHook;
};

#endif // KEY_CAPTURE_DIALOG_H
