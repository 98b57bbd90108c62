#include "macro_key_names.h"

#include "key_code_table.h"
#include "label_file.h"
#include "macro_file.h"

#include <QVector>

#include <array>

namespace {

// The language indexes that have files of their own.
const int kShippedLanguages[] = {0, 1, 2, 3, 5};

// Bits of the mouse buttons in the order of MouseButtonName.
const int kMouseBits[] = {0x01, 0x02, 0x04, 0x10, 0x08};

// The macro page's mouse-button names in every shipped language, read once:
// the files beside the program do not change while it runs.
const QVector<std::array<QString, 5>>& MouseButtonNamesOfEveryLanguage()
{
    static const QVector<std::array<QString, 5>> names = [] {
        QVector<std::array<QString, 5>> all;
        for (const int language : kShippedLanguages) {
            std::array<QString, 5> buttons;
            LabelFile::Keys keys;
            for (int button = 0; button < 5; ++button) {
                keys.insert(QStringLiteral("ChooseEvent%1").arg(button + 4),
                            [&buttons, button](const QString& text) { buttons[size_t(button)] = text; });
            }
            LabelFile::Load(LabelFile::PathFor(language), QStringLiteral("Macro"), keys);
            all << buttons;
        }
        return all;
    }();
    return names;
}

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

std::optional<MacroItem> ExchangedKeyItem(const QString& name, bool release)
{
    if (const std::optional<MacroItem> key = KeyItemFromName(name, release))
        return key;
    for (const std::array<QString, 5>& buttons : MouseButtonNamesOfEveryLanguage()) {
        for (size_t button = 0; button < buttons.size(); ++button) {
            if (!buttons[button].isEmpty() && buttons[button] == name)
                return release ? MacroItem::Release(KindMouse, kMouseBits[button])
                               : MacroItem::Press(KindMouse, kMouseBits[button]);
        }
    }
    return std::nullopt;
}

MacroItem WithKnownKey(MacroItem item)
{
    if (item.IsKey() && !IsKnownKey(item)) {
        item.kind = KindKeyboard;
        item.code = 0;
    }
    return item;
}

MacroItems WithKnownKeys(MacroItems items)
{
    for (MacroItem& item : items)
        item = WithKnownKey(item);
    return items;
}
