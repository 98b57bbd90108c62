// Keyboard capture for the three features that take keys straight from the
// keyboard: macro recording, the single-key dialog and the key-combination
// dialog. Each has its own instance with its own installation, down flag,
// repeat flag, last key and callback; the instances differ only in how they
// treat system-key messages (Alt, F10, keys with Alt held): the recording
// instance counts them as presses and releases, the dialog instances report
// them with the down flag the previous event left.
//
// Every key event of the program's active window is reported to the callback
// of each installed instance as (virtual key, down flag, repeat flag), before
// any widget handles it; no key is swallowed.
#ifndef KEYBOARD_HOOK_H
#define KEYBOARD_HOOK_H

#include "key_capture.h"

#include <functional>

class KeyboardHook {
public:
    enum Instance { Recording = 0, SingleKey = 1, Combination = 2 };
    using Callback = std::function<void(int keyCode, bool downOrUp, bool aotu)>;

    explicit KeyboardHook(Instance instance);
    // Removes the installation and the callback when this object made them,
    // so no callback outlives its user.
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Installs the instance; an earlier installation is removed first. A
    // failed installation (no GUI application) leaves it uninstalled.
    void SetHook();
    // Removes the installation; harmless when not installed. Flags, last key
    // and callback stay.
    void UnHook();
    // Replaces the instance's callback; it stays after UnHook.
    void SetCallback(Callback callback);
    void ClearCallback();
    bool IsInstalled() const;

    // The instance's procedure: one key event, reported only while the
    // instance is installed. The key capture calls it; tests feed it.
    void KeyboardProc(uint32_t virtualKey, KeyMessage message);

private:
    Instance m_instance;
};

#endif // KEYBOARD_HOOK_H
