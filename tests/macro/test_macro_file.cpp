// Macro files: the line grammar in both directions, the file operations and
// the listing of the macro folder.
#include "macro_file.h"

#include "key_code_table.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(MacroItems)

namespace {

MacroItem A(bool release = false)
{
    return release ? MacroItem::Release(KindKeyboard, 0x04) : MacroItem::Press(KindKeyboard, 0x04);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestMacroFile : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void formatsTheLinesItReads();
    void writeReplacesTheWholeFile();
    void readRefusesFilesTooLargeForAMacro();
    void createMakesOnlyNewFiles();
    void listsOnlyIniFilesWithoutTheirEnding();
};

void TestMacroFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("hasHeader");
    QTest::addColumn<int>("repeatCode");
    QTest::addColumn<MacroItems>("items");

    const MacroItems aTap = {A(), MacroItem::Delay(10), A(true)};
    QTest::newRow("example, LF") << QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1\n") << true << 3 << aTap;
    QTest::newRow("example, CRLF") << QByteArray("3\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n") << true << 3 << aTap;
    QTest::newRow("mixed line ends") << QByteArray("3\r\n0x04 1 0\n10ms\r\n0x04 1 1\n") << true << 3 << aTap;
    QTest::newRow("last line without line feed") << QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1") << true << 3 << aTap;
    QTest::newRow("trailing blanks") << QByteArray("3 \n0x04 1 0 \n 10ms\t\n0x04  1 1  ") << true << 3 << aTap;
    QTest::newRow("empty file") << QByteArray() << false << 1 << MacroItems();
    QTest::newRow("header only, no line feed") << QByteArray("254") << true << 254 << MacroItems();
    QTest::newRow("empty header") << QByteArray("\n0x04 1 0\n") << true << 1 << MacroItems{A()};

    QTest::newRow("header 253") << QByteArray("253\n") << true << 253 << MacroItems();
    QTest::newRow("header 254") << QByteArray("254\n") << true << 254 << MacroItems();
    QTest::newRow("header 255") << QByteArray("255\n") << true << 255 << MacroItems();
    QTest::newRow("header 250") << QByteArray("250\n") << true << 250 << MacroItems();
    QTest::newRow("header 251") << QByteArray("251\n") << true << 1 << MacroItems();
    QTest::newRow("header 0") << QByteArray("0\n") << true << 1 << MacroItems();
    QTest::newRow("header -3") << QByteArray("-3\n") << true << 1 << MacroItems();
    QTest::newRow("header abc") << QByteArray("abc\n") << true << 1 << MacroItems();

    QTest::newRow("modifier") << QByteArray("1\n0x04 0 1\n") << true << 1
                              << MacroItems{MacroItem::Release(KindModifier, 0x04)};
    QTest::newRow("mouse button") << QByteArray("1\n0x04 4 0\n") << true << 1
                                  << MacroItems{MacroItem::Press(KindMouse, 0x04)};
    QTest::newRow("other kind kept for the caller") << QByteArray("1\n0x04 2 0\n") << true << 1
                                                    << MacroItems{MacroItem::Press(2, 0x04)};
    QTest::newRow("high code") << QByteArray("1\n0xFF 1 0\n") << true << 1
                               << MacroItems{MacroItem::Press(KindKeyboard, 0xFF)};
    // Only the writer's form is a code; other forms are the key without a name.
    QTest::newRow("lower-case code") << QByteArray("1\n0x2b 1 0\n") << true << 1
                                     << MacroItems{MacroItem::Press(KindKeyboard, 0)};
    QTest::newRow("decimal code") << QByteArray("1\n43 1 1\n") << true << 1
                                  << MacroItems{MacroItem::Release(KindKeyboard, 0)};

    QTest::newRow("bad lines skipped")
        << QByteArray("2\n0x04 1 2\n0x04 1\nms\n10 ms\n-5ms\n10MS\n1.5ms\n99999999999ms\nabc\n0\n1\n0x04 1 0 1\n"
                      "4294967295ms\n")
        << true << 2 << MacroItems{MacroItem::Delay(4294967295u)};
    QTest::newRow("blank lines skipped") << QByteArray("1\n\n10ms\n\n") << true << 1 << MacroItems{MacroItem::Delay(10)};
}

void TestMacroFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, hasHeader);
    QFETCH(int, repeatCode);
    QFETCH(MacroItems, items);

    const MacroFileContent content = ParseMacroFile(bytes);
    QCOMPARE(content.hasHeader, hasHeader);
    QCOMPARE(content.repeatCode, repeatCode);
    QCOMPARE(content.items, items);
}

void TestMacroFile::formatsTheLinesItReads()
{
    const MacroItems items = {MacroItem::Press(KindModifier, 0x02), MacroItem::Delay(15),
                              MacroItem::Press(KindMouse, 0x01), MacroItem::Delay(0),
                              MacroItem::Release(KindMouse, 0x10), MacroItem::Delay(65536),
                              MacroItem::Release(KindKeyboard, 0xAB)};
    const QByteArray lines = FormatMacroLines(items);
    QCOMPARE(lines, QByteArray("0x02 0 0\n15ms\n0x01 4 0\n0ms\n0x10 4 1\n65536ms\n0xAB 1 1\n"));
    QCOMPARE(ParseMacroFile("7\n" + lines).items, items);
}

void TestMacroFile::writeReplacesTheWholeFile()
{
    QTemporaryDir dir;
    const QString path = MacroFilePath(dir.path(), QStringLiteral("Fire"));
    QCOMPARE(path, dir.path() + QStringLiteral("/Fire.ini"));

    QVERIFY(WriteMacroFile(path, 3, {A()}));
    QCOMPARE(ReadAll(path), QByteArray("3\n0x04 1 0\n"));
    QVERIFY(WriteAll(path, "old content that is longer than the new one\n"));
    QVERIFY(WriteMacroFile(path, 3, {A(), MacroItem::Delay(10), A(true)}));
    QCOMPARE(ReadAll(path), QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1\n"));
    QVERIFY(WriteMacroFile(path, 254, {}));
    QCOMPARE(ReadAll(path), QByteArray("254\n"));
    // Nothing but the macro file is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"Fire.ini"});

    MacroFileContent content;
    QCOMPARE(ReadMacroFile(path, &content), MacroFileRead::Done);
    QCOMPARE(content.repeatCode, 254);
    QCOMPARE(ReadMacroFile(dir.path() + QStringLiteral("/missing.ini"), &content), MacroFileRead::Unreadable);
    QVERIFY(!WriteMacroFile(dir.path() + QStringLiteral("/no/such/folder/x.ini"), 1, {}));
}

void TestMacroFile::readRefusesFilesTooLargeForAMacro()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.ini"));
    const QByteArray lines = "1\n" + QByteArray("0x04 1 0\n10ms\n").repeated(int(kMaxMacroFileBytes / 14) + 1);
    QVERIFY(WriteAll(path, lines.left(int(kMaxMacroFileBytes))));
    MacroFileContent content;
    QCOMPARE(ReadMacroFile(path, &content), MacroFileRead::Done);
    QVERIFY(content.items.size() > 100000);

    QVERIFY(WriteAll(path, lines.left(int(kMaxMacroFileBytes) + 1)));
    content = MacroFileContent();
    QCOMPARE(ReadMacroFile(path, &content), MacroFileRead::TooLarge);
    QVERIFY(content.items.isEmpty());
}

void TestMacroFile::createMakesOnlyNewFiles()
{
    QTemporaryDir dir;
    const QString created = MacroFilePath(dir.path(), QStringLiteral("New"));
    QVERIFY(CreateMacroFile(created));
    QCOMPARE(ReadAll(created), QByteArray());
    // What exists under the name stays as it is.
    QVERIFY(WriteAll(created, "3\n10ms\n"));
    QVERIFY(!CreateMacroFile(created));
    QCOMPARE(ReadAll(created), QByteArray("3\n10ms\n"));
    QVERIFY(QFile::link(created, MacroFilePath(dir.path(), QStringLiteral("Link"))));
    QVERIFY(!CreateMacroFile(MacroFilePath(dir.path(), QStringLiteral("Link"))));
    QCOMPARE(ReadAll(created), QByteArray("3\n10ms\n"));
    QVERIFY(!CreateMacroFile(dir.path() + QStringLiteral("/no/such/folder/x.ini")));
}

void TestMacroFile::listsOnlyIniFilesWithoutTheirEnding()
{
    QTemporaryDir dir;
    const QStringList files = {"fire2.ini", "Fire.ini", "Axml.ini", "notes.txt", "a.ini.bak", "my.ini.macro.ini",
                               ".ini", "zeta.INI", "b.ini"};
    for (const QString& name : files)
        QVERIFY(WriteAll(dir.filePath(name), "1\n"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("Fire.ini")), dir.filePath(QStringLiteral("link.ini"))));

    QCOMPARE(ReadMacroList(dir.path()),
             (QStringList{"Axml", "b", "Fire", "fire2", "my.ini.macro"}));
    QCOMPARE(ReadMacroList(dir.filePath(QStringLiteral("missing"))), QStringList());
}

QTEST_GUILESS_MAIN(TestMacroFile)
#include "test_macro_file.moc"
