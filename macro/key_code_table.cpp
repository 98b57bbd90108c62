#include "key_code_table.h"

std::array<QString, 5> g_mouseButtonNames;

namespace {

constexpr uint32_t NoVirtualKey = 0;
constexpr int NotMouse = -1;

struct KeyRow {
    const char* name;  // UTF-8; unused for mouse rows
    int mouseButton;   // index into g_mouseButtonNames, or NotMouse
    uint32_t virtualKey;
    uint16_t code;
    KeyEventKind kind;
};

#define KEY(name, vk, code) {name, NotMouse, vk, code, KindKeyboard}
#define MOD(name, vk, code) {name, NotMouse, vk, code, KindModifier}
#define MOUSE(button, code) {"", button, NoVirtualKey, code, KindMouse}

// Name-to-code lookups test the rows in this order.
constexpr KeyRow Rows[KeyCodeRowCount] = {
    KEY("Tab", 0x09, 0x2B),
    KEY("0", 0x30, 0x27), KEY("1", 0x31, 0x1E), KEY("2", 0x32, 0x1F), KEY("3", 0x33, 0x20),
    KEY("4", 0x34, 0x21), KEY("5", 0x35, 0x22), KEY("6", 0x36, 0x23), KEY("7", 0x37, 0x24),
    KEY("8", 0x38, 0x25), KEY("9", 0x39, 0x26),
    KEY("A", 0x41, 0x04), KEY("B", 0x42, 0x05), KEY("C", 0x43, 0x06), KEY("D", 0x44, 0x07),
    KEY("E", 0x45, 0x08), KEY("F", 0x46, 0x09), KEY("G", 0x47, 0x0A), KEY("H", 0x48, 0x0B),
    KEY("I", 0x49, 0x0C), KEY("J", 0x4A, 0x0D), KEY("K", 0x4B, 0x0E), KEY("L", 0x4C, 0x0F),
    KEY("M", 0x4D, 0x10), KEY("N", 0x4E, 0x11), KEY("O", 0x4F, 0x12), KEY("P", 0x50, 0x13),
    KEY("Q", 0x51, 0x14), KEY("R", 0x52, 0x15), KEY("S", 0x53, 0x16), KEY("T", 0x54, 0x17),
    KEY("U", 0x55, 0x18), KEY("V", 0x56, 0x19), KEY("W", 0x57, 0x1A), KEY("X", 0x58, 0x1B),
    KEY("Y", 0x59, 0x1C), KEY("Z", 0x5A, 0x1D),
    KEY("Esc", 0x1B, 0x29), KEY("BackSpace", 0x08, 0x2A), KEY("CapsLock", 0x14, 0x39),
    KEY("Insert", 0x2D, 0x49), KEY("Del", 0x2E, 0x4C), KEY("Home", 0x24, 0x4A),
    KEY("End", 0x23, 0x4D), KEY("PgUp", 0x21, 0x4B), KEY("PgDn", 0x22, 0x4E),
    KEY("Scroll", 0x91, 0x47), KEY("Pause", 0x13, 0x48), KEY("Screen", 0x2C, 0x46),
    KEY("\u2190", 0x25, 0x50), KEY("\u2192", 0x27, 0x4F), KEY("\u2191", 0x26, 0x52),
    KEY("\u2193", 0x28, 0x51),
    KEY("`", 0xC0, 0x35), KEY("-", 0xBD, 0x2D), KEY("=", 0xBB, 0x2E),
    MOD("LShift", 0xA0, 0x02), MOD("RShift", 0xA1, 0x20), MOD("LCtrl", 0xA2, 0x01),
    MOD("RCtrl", 0xA3, 0x10), MOD("LWin", 0x5B, 0x08), MOD("RWin", 0x5C, 0x80),
    MOD("LAlt", 0xA4, 0x04), MOD("RAlt", 0xA5, 0x40),
    KEY("APPs", 0x5D, 0x65), KEY("Space", 0x20, 0x2C),
    KEY("[", 0xDB, 0x2F), KEY("]", 0xDD, 0x30), KEY("\\", 0xDC, 0x31), KEY("Enter", 0x0D, 0x28),
    KEY(";", 0xBA, 0x33), KEY("'", 0xDE, 0x34), KEY(",", 0xBC, 0x36), KEY(".", 0xBE, 0x37),
    KEY("/", 0xBF, 0x38),
    KEY("Num/", 0x6F, 0x54), KEY("Num*", 0x6A, 0x55), KEY("Num-", 0x6D, 0x56),
    KEY("Num+", 0x6B, 0x57), KEY("Num0", 0x60, 0x62), KEY("Num1", 0x61, 0x59),
    KEY("Num2", 0x62, 0x5A), KEY("Num3", 0x63, 0x5B), KEY("Num4", 0x64, 0x5C),
    KEY("Num5", 0x65, 0x5D), KEY("Num6", 0x66, 0x5E), KEY("Num7", 0x67, 0x5F),
    KEY("Num8", 0x68, 0x60), KEY("Num9", 0x69, 0x61), KEY("Num.", 0x6E, 0x63),
    KEY("", 0x0C, 0x00), // keypad 5 without Num Lock
    KEY("NumLock", 0x90, 0x53),
    MOUSE(MouseLeft, 0x01), MOUSE(MouseRight, 0x02), MOUSE(MouseMiddle, 0x04),
    MOUSE(MouseBack, 0x08), MOUSE(MouseForward, 0x10),
    KEY("F1", 0x70, 0x3A), KEY("F2", 0x71, 0x3B), KEY("F3", 0x72, 0x3C), KEY("F4", 0x73, 0x3D),
    KEY("F5", 0x74, 0x3E), KEY("F6", 0x75, 0x3F), KEY("F7", 0x76, 0x40), KEY("F8", 0x77, 0x41),
    KEY("F9", 0x78, 0x42), KEY("F10", 0x79, 0x43), KEY("F11", 0x7A, 0x44), KEY("F12", 0x7B, 0x45),
};

#undef KEY
#undef MOD
#undef MOUSE

QString RowName(const KeyRow& row)
{
    if (row.mouseButton != NotMouse)
        return g_mouseButtonNames[static_cast<std::size_t>(row.mouseButton)];
    return QString::fromUtf8(row.name);
}

const KeyRow* FindByName(const QString& keyName)
{
    for (const KeyRow& row : Rows) {
        if (RowName(row) == keyName)
            return &row;
    }
    return nullptr;
}

QString FileCodeText(uint16_t code)
{
    return QStringLiteral("0x") + QString::number(code, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

} // namespace

std::optional<KeyCode> KeyNameToKeyCode(const QString& keyName)
{
    const KeyRow* row = FindByName(keyName);
    if (!row)
        return std::nullopt;
    return KeyCode{row->kind, row->code};
}

QStringList KeyNameToFileCode(const QString& keyName)
{
    const KeyRow* row = FindByName(keyName);
    if (!row)
        return {};
    return {FileCodeText(row->code), QString::number(row->kind)};
}

QString FileCodeToKeyName(const QString& fileCode, int kind)
{
    for (const KeyRow& row : Rows) {
        if (row.kind == kind && FileCodeText(row.code) == fileCode)
            return RowName(row);
    }
    return QString();
}

void KeyNameToDeviceCode(const QString& keyName, int slot,
                         uint8_t (&block)[FlashDataMap::MacroBlockSize])
{
    constexpr int FirstEvent = 32;
    constexpr int EventSize = 8;
    constexpr int EventSlots = (FlashDataMap::MacroBlockSize - FirstEvent) / EventSize;
    if (slot < 0 || slot >= EventSlots)
        return;
    uint8_t* event = block + FirstEvent + EventSize * slot;
    const std::optional<KeyCode> key = KeyNameToKeyCode(keyName);
    event[1] = key ? key->kind : KindKeyboard;
    if (key) {
        event[2] = static_cast<uint8_t>(key->code & 0xFF);
        event[3] = static_cast<uint8_t>(key->code >> 8);
    }
}

QString DeviceCodeToKeyName(uint16_t code, uint8_t kind)
{
    // Codes that mean a letter or digit as a usage and a modifier as a bit.
    switch (code) {
    case 0x20:
    case 0x04:
    case 0x08:
    case 0x10:
        if (kind != KindKeyboard && kind != KindModifier)
            return QString();
        for (const KeyRow& row : Rows) {
            if (row.code == code && row.kind == kind)
                return RowName(row);
        }
        return QString();
    case 0x40:
        return kind == KindModifier ? QStringLiteral("RAlt") : QStringLiteral("F7");
    case 0x01:
        return QStringLiteral("LCtrl");
    case 0x02:
        return QStringLiteral("LShift");
    case 0x80:
        return QStringLiteral("RWin");
    case 0x58: // keypad Enter has no row of its own
        return QStringLiteral("Enter");
    case 0x00:
        return QString();
    default:
        break;
    }
    for (const KeyRow& row : Rows) {
        if (row.kind == KindKeyboard && row.code == code)
            return RowName(row);
    }
    return QString();
}

QString MouseBitToKeyName(int bit)
{
    for (const KeyRow& row : Rows) {
        if (row.kind == KindMouse && row.code == bit)
            return RowName(row);
    }
    return QString();
}

std::optional<QString> VirtualKeyToKeyName(uint32_t virtualKey)
{
    if (virtualKey == NoVirtualKey)
        return std::nullopt;
    for (const KeyRow& row : Rows) {
        if (row.mouseButton == NotMouse && row.virtualKey == virtualKey)
            return RowName(row);
    }
    return std::nullopt;
}
