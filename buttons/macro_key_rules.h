// Widget-free rules of the button page's macro keys: the default function a
// key gets back when its macro is deleted, and the pause before a saved
// macro is sent again.
#ifndef MACRO_KEY_RULES_H
#define MACRO_KEY_RULES_H

#include <QString>
#include <QStringList>

#include <functional>

// A key's default from its catalogue list (Config.ini Drive<n>/KeyParam<i>).
struct KeyDefault {
    enum Kind {
        MenuItem,    // the key's default menu item
        MediaKey,    // "0x05", x, code: a multimedia key (code in hexadecimal)
        KeyboardKey, // "0x05", x, x, text: a keyboard key ("Ctrl+C")
        Nothing      // "0x05" with another count: the key is left as it is
    };
    Kind kind = MenuItem;
    int code = 0;
    QString text;
};
KeyDefault KeyParamDefault(const QStringList& list);

// Waits ms milliseconds while processing events, before a saved macro is
// sent to its keys again; tests replace it (an empty function restores it).
void WaitForMacroSave(int ms);
void SetMacroSaveWait(std::function<void(int)> wait);

#endif // MACRO_KEY_RULES_H
