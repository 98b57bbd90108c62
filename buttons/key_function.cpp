#include "key_function.h"

#include "key_code_table.h"

#include <algorithm>
#include <optional>

KeyEvent KeyEventRecord::Event(int slot) const
{
    KeyEvent event;
    if (slot < 0 || slot >= SlotCount)
        return event;
    const uint8_t* p = bytes + SlotOffset + slot * SlotSize;
    event.action = p[0];
    event.kind = p[1];
    event.code = p[2] | (p[3] << 8);
    event.delay = int(uint32_t(p[4]) | (uint32_t(p[5]) << 8) | (uint32_t(p[6]) << 16) | (uint32_t(p[7]) << 24));
    return event;
}

void KeyEventRecord::SetEvent(int slot, const KeyEvent& event)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    uint8_t* p = bytes + SlotOffset + slot * SlotSize;
    p[0] = uint8_t(event.action);
    p[1] = uint8_t(event.kind);
    p[2] = uint8_t(event.code & 0xFF);
    p[3] = uint8_t((event.code >> 8) & 0xFF);
    for (int i = 0; i < 4; ++i)
        p[4 + i] = uint8_t((uint32_t(event.delay) >> (8 * i)) & 0xFF);
}

void KeyFunctionStore::Clear()
{
    types.clear();
    param1.clear();
    param2.clear();
}

void KeyFunctionStore::Append(int type, int p1, int p2)
{
    types.append(type);
    param1.append(p1);
    param2.append(p2);
}

void KeyFunctionStore::Set(int button, int type, int p1, int p2)
{
    if (button < 0 || button >= Size())
        return;
    types[button] = type;
    param1[button] = p1;
    param2[button] = p2;
}

int KeyFunctionStore::Type(int button) const
{
    return button >= 0 && button < Size() ? types[button] : kUnlistedKeyType;
}

int KeyFunctionStore::Param1(int button) const
{
    return button >= 0 && button < Size() ? param1[button] : 0;
}

int KeyFunctionStore::Param2(int button) const
{
    return button >= 0 && button < Size() ? param2[button] : 0;
}

KeyFunctionStore KeyFunctionStore::FromImage(const FlashDataMap& image, int count)
{
    KeyFunctionStore store;
    const int n = std::max(0, std::min(count, int(FlashDataMap::ButtonCount)));
    for (int k = 0; k < n; ++k)
        store.Append(image.keyFunctions[k][0], image.keyFunctions[k][1], image.keyFunctions[k][2]);
    return store;
}

namespace {

struct NamedBit {
    int bit;
    const char* name;
};

// The page's modifier names: one per key, with the left-hand key's bit.
const NamedBit kModifiers[] = {{0x01, "Ctrl"}, {0x02, "Shift"}, {0x04, "Alt"}, {0x08, "Win"}};

// The keyboard usage of a name of the key table; left/right modifier and
// mouse-button names are not the page's.
std::optional<int> KeyboardUsage(const QString& name)
{
    const std::optional<KeyCode> key = KeyNameToKeyCode(name);
    if (!key || key->kind != KindKeyboard)
        return std::nullopt;
    return key->code;
}

constexpr int kEventDelayMs = 10;
constexpr int kMaxNamesPerRecord = 3;

} // namespace

KeyEvent KeyNameToEvent(const QString& name)
{
    KeyEvent event;
    event.kind = KindKeyboard;
    for (const NamedBit& modifier : kModifiers) {
        if (name == QLatin1String(modifier.name)) {
            event.kind = KindModifier;
            event.code = modifier.bit;
            return event;
        }
    }
    event.code = KeyboardUsage(name).value_or(0);
    return event;
}

KeyEventRecord WithKeyEvents(const QString& name, int j, int n, KeyEventRecord record)
{
    const int pressSlot = j;
    const int releaseSlot = 2 * n - 1 - j;
    const KeyEvent lookedUp = KeyNameToEvent(name);
    const bool known = lookedUp.kind == KindModifier || KeyboardUsage(name).has_value();
    for (int slot : {pressSlot, releaseSlot}) {
        if (slot < 0 || slot >= KeyEventRecord::SlotCount)
            continue;
        KeyEvent event = record.Event(slot);
        event.action = slot == pressSlot ? 0 : 1;
        event.delay = kEventDelayMs;
        event.kind = lookedUp.kind;
        // An unknown name keeps the code the slot had.
        if (known)
            event.code = lookedUp.code;
        record.SetEvent(slot, event);
    }
    return record;
}

QStringList SplitKeyNames(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('+'));
    QStringList names;
    for (int i = 0; i < parts.size(); ++i) {
        if (parts[i] == QLatin1String("Num") && i + 1 < parts.size() && parts[i + 1].isEmpty()) {
            names << QStringLiteral("Num+");
            ++i;
        } else {
            names << parts[i];
        }
    }
    return names;
}

KeyEventRecord KeyRecordFromText(const QString& text)
{
    // Six event slots hold three keys; further names are left out.
    const QStringList names = SplitKeyNames(text).mid(0, kMaxNamesPerRecord);
    const int n = names.size();
    KeyEventRecord record;
    for (int j = 0; j < n; ++j)
        record = WithKeyEvents(names[j], j, n, record);
    record.bytes[0] = uint8_t(2 * n);
    return record;
}

QString KeyEventName(int code, int kind)
{
    switch (code) {
    case 0x00: return QString();
    case 0x01: return QStringLiteral("Ctrl");
    case 0x02: return QStringLiteral("Shift");
    case 0x80: return QStringLiteral("Win");
    case 0x04:
    case 0x08:
    case 0x10:
    case 0x20:
    case 0x40:
        // Modifier bits read without a side; the same codes are usages too.
        if (kind == KindModifier) {
            switch (code) {
            case 0x04: case 0x40: return QStringLiteral("Alt");
            case 0x08: return QStringLiteral("Win");
            case 0x10: return QStringLiteral("Ctrl");
            default: return QStringLiteral("Shift");
            }
        }
        return kind == KindKeyboard ? DeviceCodeToKeyName(uint16_t(code), KindKeyboard) : QString();
    default:
        return DeviceCodeToKeyName(uint16_t(code), KindKeyboard);
    }
}

QString KeyRecordText(const KeyEventRecord& record)
{
    // The count byte may claim more events than the record has slots.
    const int count = std::min(record.Count() / 2, int(KeyEventRecord::SlotCount));
    QStringList names;
    for (int slot = 0; slot < count; ++slot) {
        const KeyEvent event = record.Event(slot);
        names << KeyEventName(event.code & 0xFF, event.kind);
    }
    return names.join(QLatin1Char('+'));
}

namespace {

QString DpiDefinePrefix(const QString& sensor)
{
    return QStringLiteral("SENSOR_") + sensor + QStringLiteral("_DPI");
}

bool AnyDefineFor(const QString& prefix, const QVector<QString>& names)
{
    for (const QString& name : names) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

} // namespace

int DpiLockCode(int dpi, const QString& sensor, const QVector<QString>& names, const QVector<int>& values)
{
    const QString prefix = DpiDefinePrefix(sensor);
    if (!AnyDefineFor(prefix, names))
        return dpi / 50 - 1;
    const QString full = prefix + QLatin1Char('_') + QString::number(dpi);
    const int index = names.indexOf(full);
    if (index >= 0 && index < values.size())
        return values[index];
    return dpi / 50;
}

int DpiLockValue(int code, const QString& sensor, const QVector<QString>& names, const QVector<int>& values)
{
    const QString prefix = DpiDefinePrefix(sensor);
    if (!AnyDefineFor(prefix, names))
        return (code + 1) * 50;
    const QString numbered = prefix + QLatin1Char('_');
    for (int i = 0; i < names.size() && i < values.size(); ++i) {
        if (!names[i].contains(prefix) || values[i] != code)
            continue;
        // The DPI is the number after "SENSOR_<sensor>_DPI_".
        const int at = names[i].indexOf(numbered);
        return at < 0 ? 0 : names[i].mid(at + numbered.size()).toInt();
    }
    return 0;
}
