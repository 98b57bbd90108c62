// The one key vocabulary of macros: key names as the event list shows them,
// the two-field text code of the macro files ("0x2B", "1"), the kind and
// 16-bit code of the device image, and the virtual-key numbers the keyboard
// hook reports. All lookups compare names exactly (case and every character).
#ifndef KEY_CODE_TABLE_H
#define KEY_CODE_TABLE_H

#include "flash_data_map.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// Kind byte of a key event.
enum KeyEventKind : uint8_t {
    KindModifier = 0, // one bit of the keyboard report's modifier byte
    KindKeyboard = 1, // a keyboard/keypad usage
    KindConsumer = 2, // a consumer usage; only the button page's key records use it
    KindMouse = 4     // one mouse-button bit
};

struct KeyCode {
    KeyEventKind kind = KindKeyboard;
    uint16_t code = 0;
};

// Names of the five mouse buttons in the current language, indexed by
// MouseButtonName. Empty until the macro page loads its texts; rewritten by it
// on every language change, so mouse events named in another language no
// longer match the table.
enum MouseButtonName { MouseLeft = 0, MouseRight, MouseMiddle, MouseForward, MouseBack };
extern std::array<QString, 5> g_mouseButtonNames;

// Number of rows: 104 keyboard rows (one with the empty name) and 5 mouse rows.
constexpr int KeyCodeRowCount = 109;

// Kind and code of a name; nothing for a name the table lacks.
std::optional<KeyCode> KeyNameToKeyCode(const QString& keyName);

// File code and kind as texts, e.g. {"0x2B", "1"}; empty list when unknown.
QStringList KeyNameToFileCode(const QString& keyName);

// Name of the row whose file code text and kind both match. Only the exact
// form written above is recognised ("0x2b" or "43" are not); "" otherwise.
QString FileCodeToKeyName(const QString& fileCode, int kind);

// Writes kind and code of the name into event slot `slot` (0 to 69) of a
// macro block. An unknown name writes kind 1 and leaves the code as it was;
// a slot outside the block writes nothing.
void KeyNameToDeviceCode(const QString& keyName, int slot,
                         uint8_t (&block)[FlashDataMap::MacroBlockSize]);

// Name of a code read back from the device; "" when nothing matches.
// Mouse events (kind 4) go through MouseBitToKeyName instead.
QString DeviceCodeToKeyName(uint16_t code, uint8_t kind);

// Current name of a mouse-button bit: 1 left, 2 right, 4 middle, 8 back,
// 16 forward; "" for any other value.
QString MouseBitToKeyName(int bit);

// Name of a virtual key among the keyboard rows. Nothing for a key without a
// row (generic Shift/Ctrl/Alt, media keys, F13 and up, ...); the keypad 5
// without Num Lock (0x0C) has a row with the empty name.
std::optional<QString> VirtualKeyToKeyName(uint32_t virtualKey);

#endif // KEY_CODE_TABLE_H
