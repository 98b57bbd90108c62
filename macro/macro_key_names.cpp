#include "macro_key_names.h"

#include "key_code_table.h"
#include "macro_file.h"

namespace {

bool IsMouseBit(int code)
{
    return code == 0x01 || code == 0x02 || code == 0x04 || code == 0x08 || code == 0x10;
}

// Mouse buttons are known by their bit whatever their names are: the names
// are empty until a language file has been read.
bool IsKnownKey(const MacroItem& item)
{
    if (item.kind == KindMouse)
        return IsMouseBit(item.code);
    if (item.kind == KindKeyboard && item.code == 0)
        return true;
    return !FileCodeToKeyName(QString::fromLatin1(MacroFileCode(item.code)), item.kind).isEmpty();
}

} // namespace

QString MacroItemText(const MacroItem& item)
{
    if (item.IsDelay())
        return QString::number(item.delayMs) + QStringLiteral("ms");
    if (item.kind == KindMouse)
        return MouseBitToKeyName(item.code);
    return FileCodeToKeyName(QString::fromLatin1(MacroFileCode(item.code)), item.kind);
}

std::optional<MacroItem> KeyItemFromName(const QString& name, bool release)
{
    const std::optional<KeyCode> key = KeyNameToKeyCode(name);
    if (!key)
        return std::nullopt;
    return release ? MacroItem::Release(key->kind, key->code) : MacroItem::Press(key->kind, key->code);
}

MacroItems WithKnownKeys(MacroItems items)
{
    for (MacroItem& item : items) {
        if (item.IsKey() && !IsKnownKey(item)) {
            item.kind = KindKeyboard;
            item.code = 0;
        }
    }
    return items;
}
