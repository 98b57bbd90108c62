// One entry of a macro's event list: a key event (press or release of a
// keyboard key or a mouse button) or the delay between two key events.
// A key event is held by its kind and code, not by the name the page shows,
// so the language of the mouse-button names never changes what is stored
// or sent.
#ifndef MACRO_ITEM_H
#define MACRO_ITEM_H

#include <QVector>
#include <QtGlobal>

struct MacroItem {
    enum class Type : quint8 { Key, Delay };

    Type type = Type::Key;
    bool release = false;           // key: press or release
    int kind = 1;                   // key: its KeyEventKind (key_code_table.h)
    int code = 0;                   // key: below 0x100
    quint32 delayMs = 0;            // delay

    static MacroItem Press(int kind, int code) { return {Type::Key, false, kind, code, 0}; }
    static MacroItem Release(int kind, int code) { return {Type::Key, true, kind, code, 0}; }
    static MacroItem Delay(quint32 ms) { return {Type::Delay, false, 1, 0, ms}; }

    bool IsDelay() const { return type == Type::Delay; }
    bool IsKey() const { return type == Type::Key; }

    bool operator==(const MacroItem& other) const
    {
        if (type != other.type)
            return false;
        return IsDelay() ? delayMs == other.delayMs
                         : release == other.release && kind == other.kind && code == other.code;
    }
    bool operator!=(const MacroItem& other) const { return !(*this == other); }
};

using MacroItems = QVector<MacroItem>;

#endif // MACRO_ITEM_H
