// The widget-free function records: key records built from key names, the
// names of key events, DPI-lock codes, the page's copy of the functions and
// the repeat line of macro files.
#include "key_function.h"
#include "macro_repeat_code.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// "p/r kind code" per filled slot, then the count.
QString Describe(const KeyEventRecord& record)
{
    QStringList parts;
    for (int slot = 0; slot < KeyEventRecord::SlotCount; ++slot) {
        const KeyEvent event = record.Event(slot);
        if (event.delay == 0 && event.code == 0 && event.kind == 0 && event.action == 0)
            continue;
        parts << QStringLiteral("%1%2 %3 %4")
                     .arg(event.action == 0 ? QLatin1Char('p') : QLatin1Char('r'))
                     .arg(slot)
                     .arg(event.kind)
                     .arg(event.code, 2, 16, QLatin1Char('0'));
    }
    return QStringLiteral("count %1: ").arg(record.Count()) + parts.join(QStringLiteral(", "));
}

KeyEventRecord Record(int count, const QList<KeyEvent>& events)
{
    KeyEventRecord record;
    record.bytes[0] = uint8_t(count);
    for (int i = 0; i < events.size(); ++i)
        record.SetEvent(i, events[i]);
    return record;
}

const QVector<QString> kNames{"SENSOR_3395_MAX", "SENSOR_Q3311_DPI_100", "SENSOR_Q3311_DPI_800", "SENSOR_Q3311_DPI_1500"};
const QVector<int> kValues{26000, 1, 8, 15};

} // namespace

Q_DECLARE_METATYPE(KeyEvent)

class TestButtonsRecords : public QObject {
    Q_OBJECT

private slots:
    void keyRecordFromText_data();
    void keyRecordFromText();
    void recordLayout();
    void keyEventName_data();
    void keyEventName();
    void keyRecordText_data();
    void keyRecordText();
    void dpiLock_data();
    void dpiLock();
    void storeReadsOnlyWhatItHolds();
    void repeatCodeFile_data();
    void repeatCodeFile();
};

void TestButtonsRecords::keyRecordFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one key") << "A" << "count 2: p0 1 04, r1 1 04";
    QTest::newRow("modifiers pressed first, released last")
        << "Shift+Ctrl+A" << "count 6: p0 0 02, p1 0 01, p2 1 04, r3 1 04, r4 0 01, r5 0 02";
    QTest::newRow("empty text") << "" << "count 2: p0 1 00, r1 1 00";
    QTest::newRow("keypad plus") << "Num+" << "count 2: p0 1 57, r1 1 57";
    QTest::newRow("modifier and keypad plus") << "Shift+Num+" << "count 4: p0 0 02, p1 1 57, r2 1 57, r3 0 02";
    QTest::newRow("trailing plus") << "A+" << "count 4: p0 1 04, p1 1 00, r2 1 00, r3 1 04";
    QTest::newRow("names are case-sensitive") << "esc" << "count 2: p0 1 00, r1 1 00";
    QTest::newRow("arrows and symbols") << QString::fromUtf8("\u2192+`") << "count 4: p0 1 4f, p1 1 35, r2 1 35, r3 1 4f";
    QTest::newRow("keypad digit and F12") << "Num0+F12" << "count 4: p0 1 62, p1 1 45, r2 1 45, r3 1 62";
    // Six slots hold three keys: a fourth name is left out.
    QTest::newRow("four names") << "Ctrl+Alt+Win+Del" << "count 6: p0 0 01, p1 0 04, p2 0 08, r3 0 08, r4 0 04, r5 0 01";
}

void TestButtonsRecords::keyRecordFromText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Describe(KeyRecordFromText(text)), expected);
}

void TestButtonsRecords::recordLayout()
{
    const KeyEventRecord record = KeyRecordFromText(QStringLiteral("A"));
    const QByteArray bytes(reinterpret_cast<const char*>(record.bytes), KeyEventRecord::Size);
    QCOMPARE(bytes.left(20).toHex(' '), QByteArray("02 00 00 00 00 01 04 00 0a 00 00 00 01 01 04 00 0a 00 00 00"));
    QCOMPARE(bytes.mid(20), QByteArray(32, '\0'));

    // A name outside the vocabulary keeps the code the slot had.
    KeyEventRecord filled;
    filled.SetEvent(0, {1, 2, 0x1234, 99});
    const KeyEvent kept = WithKeyEvents(QStringLiteral("nope"), 0, 1, filled).Event(0);
    QCOMPARE(kept.code, 0x1234);
    QCOMPARE(kept.kind, 1);
    QCOMPARE(kept.action, 0);
    QCOMPARE(kept.delay, 10);
}

void TestButtonsRecords::keyEventName_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");

    QTest::newRow("left ctrl bit") << 0x01 << 0 << "Ctrl";
    QTest::newRow("right ctrl bit") << 0x10 << 0 << "Ctrl";
    QTest::newRow("usage 0x10") << 0x10 << 1 << "M";
    QTest::newRow("right shift bit") << 0x20 << 0 << "Shift";
    QTest::newRow("usage 0x20") << 0x20 << 1 << "3";
    QTest::newRow("right alt bit") << 0x40 << 0 << "Alt";
    QTest::newRow("usage 0x40") << 0x40 << 1 << "F7";
    QTest::newRow("left win bit") << 0x08 << 0 << "Win";
    QTest::newRow("right win, any kind") << 0x80 << 1 << "Win";
    QTest::newRow("modifier code, other kind") << 0x04 << 2 << "";
    QTest::newRow("letter Z") << 0x1D << 1 << "Z";
    QTest::newRow("digit 9") << 0x26 << 1 << "9";
    QTest::newRow("digit 0") << 0x27 << 1 << "0";
    QTest::newRow("F12") << 0x45 << 1 << "F12";
    QTest::newRow("Num9") << 0x61 << 1 << "Num9";
    QTest::newRow("Num0") << 0x62 << 1 << "Num0";
    QTest::newRow("main Enter") << 0x28 << 1 << "Enter";
    QTest::newRow("keypad Enter") << 0x58 << 1 << "Enter";
    QTest::newRow("backslash") << 0x31 << 1 << "\\";
    QTest::newRow("up arrow") << 0x52 << 1 << QString::fromUtf8("\u2191");
    QTest::newRow("APPs") << 0x65 << 1 << "APPs";
    QTest::newRow("gap 0x32") << 0x32 << 1 << "";
    QTest::newRow("gap 0x64") << 0x64 << 1 << "";
    QTest::newRow("zero") << 0x00 << 1 << "";
}

void TestButtonsRecords::keyEventName()
{
    QFETCH(int, code);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(KeyEventName(code, kind), name);
    // Every name the page writes reads back as that name.
    if (kind == KindKeyboard && !name.isEmpty() && code != 0x58 && code != 0x80)
        QCOMPARE(KeyNameToEvent(name).code, code);
}

void TestButtonsRecords::keyRecordText_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<KeyEvent>>("events");
    QTest::addColumn<QString>("text");

    const KeyEvent ctrl{0, 0, 0x01, 10};
    const KeyEvent a{0, 1, 0x04, 10};
    QTest::newRow("ctrl and A") << 4 << QList<KeyEvent>{ctrl, a, {1, 1, 0x04, 10}, {1, 0, 0x01, 10}} << "Ctrl+A";
    QTest::newRow("second code without name") << 4 << QList<KeyEvent>{ctrl, {0, 1, 0x32, 10}} << "Ctrl+";
    QTest::newRow("high byte not read") << 2 << QList<KeyEvent>{{0, 1, 0x0104, 10}} << "A";
    QTest::newRow("count 1") << 1 << QList<KeyEvent>{a} << "";
    QTest::newRow("count 0") << 0 << QList<KeyEvent>{a} << "";
    // A damaged count never reads past the sixth slot.
    QTest::newRow("count beyond the slots") << 250 << QList<KeyEvent>{a, a, a, a, a, a} << "A+A+A+A+A+A";
}

void TestButtonsRecords::keyRecordText()
{
    QFETCH(int, count);
    QFETCH(QList<KeyEvent>, events);
    QFETCH(QString, text);
    QCOMPARE(KeyRecordText(Record(count, events)), text);
}

void TestButtonsRecords::dpiLock_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("readBack");

    QTest::newRow("no defines for the sensor") << "3950" << 800 << 15 << 800;
    QTest::newRow("no defines, lowest item") << "3950" << 100 << 1 << 100;
    QTest::newRow("own define") << "Q3311" << 800 << 8 << 800;
    QTest::newRow("own defines, none for the DPI") << "Q3311" << 900 << 18 << 0;
    QTest::newRow("other sensor's defines ignored") << "3395" << 1500 << 29 << 1500;
    // A sensor name with a capital I: the DPI still follows "_DPI_".
    QTest::newRow("capital I in the sensor") << "PIX1" << 400 << 7 << 400;
}

void TestButtonsRecords::dpiLock()
{
    QFETCH(QString, sensor);
    QFETCH(int, dpi);
    QFETCH(int, code);
    QFETCH(int, readBack);

    const QVector<QString> names = kNames + QVector<QString>{"SENSOR_PIX1_DPI_400", "SENSOR_PIX1_DPI_800"};
    const QVector<int> values = kValues + QVector<int>{7, 9};
    QCOMPARE(DpiLockCode(dpi, sensor, names, values), code);
    QCOMPARE(DpiLockValue(code, sensor, names, values), readBack);
    QCOMPARE(DpiLockCode(dpi, sensor, {}, {}), dpi / 50 - 1);
}

void TestButtonsRecords::storeReadsOnlyWhatItHolds()
{
    FlashDataMap image;
    for (int k = 0; k < FlashDataMap::ButtonCount; ++k) {
        image.keyFunctions[k][0] = uint8_t(k % 12);
        image.keyFunctions[k][1] = uint8_t(k + 1);
        image.keyFunctions[k][2] = uint8_t(2 * k);
    }
    KeyFunctionStore store = KeyFunctionStore::FromImage(image, 5);
    QCOMPARE(store.Size(), 5);
    QCOMPARE(store.types, (QVector<int>{0, 1, 2, 3, 4}));
    QCOMPARE(store.Type(4), 4);
    QCOMPARE(store.Type(5), kUnlistedKeyType);
    QCOMPARE(store.Type(-1), kUnlistedKeyType);
    QCOMPARE(store.Param1(5), 0);
    store.Set(5, 1, 1, 0); // outside: ignored
    QCOMPARE(store.Size(), 5);
    store.Set(2, 6, 2, 253);
    QCOMPARE(store.Type(2), 6);
    QCOMPARE(store.Param2(2), 253);
    // A catalogue asking for more keys than the image holds gets 16.
    QCOMPARE(KeyFunctionStore::FromImage(image, 40).Size(), 16);
    QCOMPARE(KeyFunctionStore::FromImage(image, -3).Size(), 0);
}

void TestButtonsRecords::repeatCodeFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("code");

    QTest::newRow("repeat mode") << true << QByteArray("253\n0x04 1 0\n10ms\n") << "253";
    QTest::newRow("count with blanks") << true << QByteArray("  12 x\n") << "12";
    QTest::newRow("no number") << true << QByteArray("abc\n") << "abc";
    QTest::newRow("line feed only") << true << QByteArray("\n0x04 1 0\n") << "";
    QTest::newRow("blanks only") << true << QByteArray("   \n") << "";
    QTest::newRow("lone CR inside the line") << true << QByteArray("253\r1\n0x04 1 0\n") << "253";
    QTest::newRow("CR LF line end") << true << QByteArray("12\r\n0x04 1 0\r\n") << "12";
    QTest::newRow("empty file") << true << QByteArray() << "0";
    QTest::newRow("missing file") << false << QByteArray() << "0";
}

void TestButtonsRecords::repeatCodeFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(QString, code);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Jump.ini"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QCOMPARE(ReadMacroRepeatCode(path), code);
}

QTEST_GUILESS_MAIN(TestButtonsRecords)
#include "test_buttons_records.moc"
