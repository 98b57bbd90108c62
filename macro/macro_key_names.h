// What the event list shows of an item and how a shown key name becomes an
// item: key names from the key code table (mouse buttons in the current
// language), delays as "<ms>ms".
#ifndef MACRO_KEY_NAMES_H
#define MACRO_KEY_NAMES_H

#include "macro_item.h"

#include <QString>

#include <optional>

// The key's name, or the delay as "10ms".
QString MacroItemText(const MacroItem& item);

// The key item of a name the table knows; nothing for other names.
std::optional<MacroItem> KeyItemFromName(const QString& name, bool release);

// The key item of a name in an exchange file, which another installation may
// have written in another language: a name the table knows, else a
// mouse-button name of any shipped language; nothing for other names.
std::optional<MacroItem> ExchangedKeyItem(const QString& name, bool release);

// Keys the table does not know become the key without a name (kind 1, code
// 0), which is what such a line has always meant when it was saved or sent.
MacroItem WithKnownKey(MacroItem item);
MacroItems WithKnownKeys(MacroItems items);

#endif // MACRO_KEY_NAMES_H
