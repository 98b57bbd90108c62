// The key code table: every row in every direction, and the rules where the
// directions differ.
#include "key_code_table.h"

#include <QtTest>

#include <QSet>

namespace {

using Block = uint8_t[FlashDataMap::MacroBlockSize];

constexpr int Mouse = -1; // virtual-key column of the mouse rows

const QString LeftName = QStringLiteral("Left button");
const QString RightName = QStringLiteral("Right button");
const QString MiddleName = QStringLiteral("Middle button");
const QString ForwardName = QStringLiteral("Forward button");
const QString BackName = QStringLiteral("Back button");

void SetEnglishMouseNames()
{
    g_mouseButtonNames = {LeftName, RightName, MiddleName, ForwardName, BackName};
}

int EventKind(const Block& block, int slot) { return block[32 + 8 * slot + 1]; }
int EventCode(const Block& block, int slot)
{
    return block[32 + 8 * slot + 2] | (block[32 + 8 * slot + 3] << 8);
}

} // namespace

class TestKeyCodeTable : public QObject {
    Q_OBJECT

private slots:
    void init() { SetEnglishMouseNames(); }

    void everyRowBothWays_data();
    void everyRowBothWays();
    void tableHoldsEachNameAndKeyOnce();
    void deviceCodeRules_data();
    void deviceCodeRules();
    void fileCodeMatchesExactly_data();
    void fileCodeMatchesExactly();
    void unknownNamesAndKeys();
    void mouseRowsFollowLanguage();
    void deviceCodeStaysInsideItsSlot();
};

void TestKeyCodeTable::everyRowBothWays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<QString>("fileCode");
    QTest::addColumn<int>("kind");

    struct Row {
        QString name;
        int vk;
        const char* code;
        int kind;
    };
    const Row rows[] = {
        {"Tab", 0x09, "0x2B", 1},
        {"0", 0x30, "0x27", 1}, {"1", 0x31, "0x1E", 1}, {"2", 0x32, "0x1F", 1},
        {"3", 0x33, "0x20", 1}, {"4", 0x34, "0x21", 1}, {"5", 0x35, "0x22", 1},
        {"6", 0x36, "0x23", 1}, {"7", 0x37, "0x24", 1}, {"8", 0x38, "0x25", 1},
        {"9", 0x39, "0x26", 1},
        {"A", 0x41, "0x04", 1}, {"B", 0x42, "0x05", 1}, {"C", 0x43, "0x06", 1},
        {"D", 0x44, "0x07", 1}, {"E", 0x45, "0x08", 1}, {"F", 0x46, "0x09", 1},
        {"G", 0x47, "0x0A", 1}, {"H", 0x48, "0x0B", 1}, {"I", 0x49, "0x0C", 1},
        {"J", 0x4A, "0x0D", 1}, {"K", 0x4B, "0x0E", 1}, {"L", 0x4C, "0x0F", 1},
        {"M", 0x4D, "0x10", 1}, {"N", 0x4E, "0x11", 1}, {"O", 0x4F, "0x12", 1},
        {"P", 0x50, "0x13", 1}, {"Q", 0x51, "0x14", 1}, {"R", 0x52, "0x15", 1},
        {"S", 0x53, "0x16", 1}, {"T", 0x54, "0x17", 1}, {"U", 0x55, "0x18", 1},
        {"V", 0x56, "0x19", 1}, {"W", 0x57, "0x1A", 1}, {"X", 0x58, "0x1B", 1},
        {"Y", 0x59, "0x1C", 1}, {"Z", 0x5A, "0x1D", 1},
        {"Esc", 0x1B, "0x29", 1}, {"BackSpace", 0x08, "0x2A", 1}, {"CapsLock", 0x14, "0x39", 1},
        {"Insert", 0x2D, "0x49", 1}, {"Del", 0x2E, "0x4C", 1}, {"Home", 0x24, "0x4A", 1},
        {"End", 0x23, "0x4D", 1}, {"PgUp", 0x21, "0x4B", 1}, {"PgDn", 0x22, "0x4E", 1},
        {"Scroll", 0x91, "0x47", 1}, {"Pause", 0x13, "0x48", 1}, {"Screen", 0x2C, "0x46", 1},
        {QString(QChar(0x2190)), 0x25, "0x50", 1}, {QString(QChar(0x2192)), 0x27, "0x4F", 1},
        {QString(QChar(0x2191)), 0x26, "0x52", 1}, {QString(QChar(0x2193)), 0x28, "0x51", 1},
        {"`", 0xC0, "0x35", 1}, {"-", 0xBD, "0x2D", 1}, {"=", 0xBB, "0x2E", 1},
        {"LShift", 0xA0, "0x02", 0}, {"RShift", 0xA1, "0x20", 0}, {"LCtrl", 0xA2, "0x01", 0},
        {"RCtrl", 0xA3, "0x10", 0}, {"LWin", 0x5B, "0x08", 0}, {"RWin", 0x5C, "0x80", 0},
        {"LAlt", 0xA4, "0x04", 0}, {"RAlt", 0xA5, "0x40", 0},
        {"APPs", 0x5D, "0x65", 1}, {"Space", 0x20, "0x2C", 1},
        {"[", 0xDB, "0x2F", 1}, {"]", 0xDD, "0x30", 1}, {"\\", 0xDC, "0x31", 1},
        {"Enter", 0x0D, "0x28", 1}, {";", 0xBA, "0x33", 1}, {"'", 0xDE, "0x34", 1},
        {",", 0xBC, "0x36", 1}, {".", 0xBE, "0x37", 1}, {"/", 0xBF, "0x38", 1},
        {"Num/", 0x6F, "0x54", 1}, {"Num*", 0x6A, "0x55", 1}, {"Num-", 0x6D, "0x56", 1},
        {"Num+", 0x6B, "0x57", 1}, {"Num0", 0x60, "0x62", 1}, {"Num1", 0x61, "0x59", 1},
        {"Num2", 0x62, "0x5A", 1}, {"Num3", 0x63, "0x5B", 1}, {"Num4", 0x64, "0x5C", 1},
        {"Num5", 0x65, "0x5D", 1}, {"Num6", 0x66, "0x5E", 1}, {"Num7", 0x67, "0x5F", 1},
        {"Num8", 0x68, "0x60", 1}, {"Num9", 0x69, "0x61", 1}, {"Num.", 0x6E, "0x63", 1},
        {"", 0x0C, "0x00", 1},
        {"NumLock", 0x90, "0x53", 1},
        {LeftName, Mouse, "0x01", 4}, {RightName, Mouse, "0x02", 4},
        {MiddleName, Mouse, "0x04", 4}, {BackName, Mouse, "0x08", 4},
        {ForwardName, Mouse, "0x10", 4},
        {"F1", 0x70, "0x3A", 1}, {"F2", 0x71, "0x3B", 1}, {"F3", 0x72, "0x3C", 1},
        {"F4", 0x73, "0x3D", 1}, {"F5", 0x74, "0x3E", 1}, {"F6", 0x75, "0x3F", 1},
        {"F7", 0x76, "0x40", 1}, {"F8", 0x77, "0x41", 1}, {"F9", 0x78, "0x42", 1},
        {"F10", 0x79, "0x43", 1}, {"F11", 0x7A, "0x44", 1}, {"F12", 0x7B, "0x45", 1},
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %s", row.code, row.name.toUtf8().constData())
            << row.name << row.vk << QString::fromLatin1(row.code) << row.kind;
    }
}

void TestKeyCodeTable::everyRowBothWays()
{
    QFETCH(QString, name);
    QFETCH(int, virtualKey);
    QFETCH(QString, fileCode);
    QFETCH(int, kind);
    const int code = fileCode.toInt(nullptr, 16);

    QCOMPARE(KeyNameToFileCode(name), QStringList({fileCode, QString::number(kind)}));
    QCOMPARE(FileCodeToKeyName(fileCode, kind), name);

    Block block = {};
    KeyNameToDeviceCode(name, 5, block);
    QCOMPARE(EventKind(block, 5), kind);
    QCOMPARE(EventCode(block, 5), code);

    if (virtualKey == Mouse) {
        QCOMPARE(MouseBitToKeyName(code), name);
    } else {
        QCOMPARE(DeviceCodeToKeyName(static_cast<uint16_t>(code), static_cast<uint8_t>(kind)), name);
        const std::optional<QString> byKey = VirtualKeyToKeyName(static_cast<uint32_t>(virtualKey));
        QVERIFY(byKey.has_value());
        QCOMPARE(*byKey, name);
    }
}

void TestKeyCodeTable::tableHoldsEachNameAndKeyOnce()
{
    // 104 keyboard rows: each virtual key from 0 to 0xFF has at most one
    // name, and the names found are all different.
    QSet<QString> names;
    int keyboardRows = 0;
    for (uint32_t vk = 0; vk <= 0xFF; ++vk) {
        if (const std::optional<QString> name = VirtualKeyToKeyName(vk)) {
            ++keyboardRows;
            names.insert(*name);
        }
    }
    QCOMPARE(keyboardRows, 104);
    QCOMPARE(names.size(), 104);
    QCOMPARE(KeyCodeRowCount, 104 + 5);
}

void TestKeyCodeTable::deviceCodeRules_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");

    QTest::newRow("0x04 usage") << 0x04 << 1 << "A";
    QTest::newRow("0x04 modifier") << 0x04 << 0 << "LAlt";
    QTest::newRow("0x04 consumer") << 0x04 << 2 << "";
    QTest::newRow("0x20 usage") << 0x20 << 1 << "3";
    QTest::newRow("0x20 modifier") << 0x20 << 0 << "RShift";
    QTest::newRow("0x08 other kind") << 0x08 << 7 << "";
    QTest::newRow("0x10 modifier") << 0x10 << 0 << "RCtrl";
    QTest::newRow("0x40 modifier") << 0x40 << 0 << "RAlt";
    QTest::newRow("0x40 usage") << 0x40 << 1 << "F7";
    QTest::newRow("0x40 other kind") << 0x40 << 2 << "F7";
    QTest::newRow("0x01 any kind") << 0x01 << 1 << "LCtrl";
    QTest::newRow("0x02 any kind") << 0x02 << 3 << "LShift";
    QTest::newRow("0x80 any kind") << 0x80 << 1 << "RWin";
    QTest::newRow("keypad Enter") << 0x58 << 1 << "Enter";
    QTest::newRow("0x00") << 0x00 << 1 << "";
    QTest::newRow("usage row whatever the kind") << 0x2B << 0 << "Tab";
    QTest::newRow("usage row, consumer kind") << 0x45 << 2 << "F12";
    QTest::newRow("code without a row") << 0x66 << 1 << "";
    QTest::newRow("code above a byte") << 0x12B << 1 << "";
}

void TestKeyCodeTable::deviceCodeRules()
{
    QFETCH(int, code);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(DeviceCodeToKeyName(static_cast<uint16_t>(code), static_cast<uint8_t>(kind)), name);
}

void TestKeyCodeTable::fileCodeMatchesExactly_data()
{
    QTest::addColumn<QString>("fileCode");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");

    QTest::newRow("same code, usage") << "0x04" << 1 << "A";
    QTest::newRow("same code, modifier") << "0x04" << 0 << "LAlt";
    QTest::newRow("same code, mouse") << "0x04" << 4 << MiddleName;
    QTest::newRow("lower-case digits") << "0x2b" << 1 << "";
    QTest::newRow("decimal") << "43" << 1 << "";
    QTest::newRow("upper-case prefix") << "0X2B" << 1 << "";
    QTest::newRow("kind not of the code") << "0x2B" << 0 << "";
    QTest::newRow("consumer kind") << "0x2B" << 2 << "";
    QTest::newRow("code without a row") << "0x66" << 1 << "";
    QTest::newRow("empty name") << "0x00" << 1 << "";
}

void TestKeyCodeTable::fileCodeMatchesExactly()
{
    QFETCH(QString, fileCode);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(FileCodeToKeyName(fileCode, kind), name);
}

void TestKeyCodeTable::unknownNamesAndKeys()
{
    for (const char* name : {"a", "tab", "Num +", "F13", "Alt", " A", "A "})
        QVERIFY2(KeyNameToFileCode(QString::fromLatin1(name)).isEmpty(), name);
    QVERIFY(!KeyNameToKeyCode(QStringLiteral("f1")).has_value());

    // Generic modifiers, F13 and up, media and browser keys have no name.
    for (uint32_t vk : {0x00u, 0x10u, 0x11u, 0x12u, 0x7Cu, 0x87u, 0xADu, 0xB3u, 0xA6u, 0x100u, 0x10041u})
        QVERIFY2(!VirtualKeyToKeyName(vk).has_value(), qPrintable(QString::number(vk, 16)));
    // The keypad 5 without Num Lock has a row, with the empty name.
    QCOMPARE(VirtualKeyToKeyName(0x0C), std::optional<QString>(QString()));
}

void TestKeyCodeTable::mouseRowsFollowLanguage()
{
    const QVector<QPair<int, QString>> bits = {
        {1, LeftName}, {2, RightName}, {4, MiddleName}, {8, BackName}, {16, ForwardName},
        {0, ""}, {3, ""}, {32, ""}, {-1, ""}};
    for (const auto& bit : bits)
        QCOMPARE(MouseBitToKeyName(bit.first), bit.second);

    g_mouseButtonNames = {QStringLiteral("Gauche"), QStringLiteral("Droite"), QStringLiteral("Milieu"),
                          QStringLiteral("Avant"), QStringLiteral("Arriere")};
    QCOMPARE(MouseBitToKeyName(8), QStringLiteral("Arriere"));
    QCOMPARE(FileCodeToKeyName(QStringLiteral("0x10"), 4), QStringLiteral("Avant"));
    QCOMPARE(KeyNameToFileCode(QStringLiteral("Gauche")), QStringList({"0x01", "4"}));

    // A name of the previous language is no longer in the table: kind 1 is
    // written and the code is left as it was.
    QVERIFY(KeyNameToFileCode(LeftName).isEmpty());
    Block block = {};
    block[32 + 8 * 2 + 1] = 4;
    block[32 + 8 * 2 + 2] = 0x34;
    block[32 + 8 * 2 + 3] = 0x12;
    KeyNameToDeviceCode(LeftName, 2, block);
    QCOMPARE(EventKind(block, 2), 1);
    QCOMPARE(EventCode(block, 2), 0x1234);
}

void TestKeyCodeTable::deviceCodeStaysInsideItsSlot()
{
    Block block;
    memset(block, 0xEE, sizeof block);
    Block before;
    memcpy(before, block, sizeof block);

    // Outside the 70 slots nothing is written.
    KeyNameToDeviceCode(QStringLiteral("A"), -1, block);
    KeyNameToDeviceCode(QStringLiteral("A"), 70, block);
    QVERIFY(memcmp(block, before, sizeof block) == 0);

    // The last slot takes kind and code; action and delay stay.
    KeyNameToDeviceCode(QStringLiteral("RWin"), 69, block);
    const int at = 32 + 8 * 69;
    for (int i = 0; i < FlashDataMap::MacroBlockSize; ++i) {
        if (i >= at + 1 && i <= at + 3)
            continue;
        QCOMPARE(block[i], before[i]);
    }
    QCOMPARE(EventKind(block, 69), 0);
    QCOMPARE(EventCode(block, 69), 0x80);
}

QTEST_APPLESS_MAIN(TestKeyCodeTable)
#include "test_macro_key_code_table.moc"
